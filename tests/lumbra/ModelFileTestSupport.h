#pragma once

// Documents made as the host makes them (the library's object types and shapes registered, the
// lists of the creators added), the model file plugins wired to them, and a model that holds
// every kind of object the model file carries.

#include "Lumbra/CrossSectionShapes.h"
#include "Lumbra/LumbraPlugins.h"
#include "Lumbra/ModelFiles/ModelFileExport.h"
#include "Lumbra/ModelFiles/ModelFileImport.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "plugins/PluginManager.h"
#include "tests/host/HostDialogTestSupport.h"
#include "tests/lumbra/LumbraTestDoubles.h"

#include <numbers>
#include <memory>
#include <string>
#include <vector>

// Table indices of the library's object types and shapes.
inline constexpr uint32_t modelObjectTypeIndices[] = {9, 10, 11};
inline constexpr uint32_t modelShapeIndices[] = {38, 39, 40};

template <class Element>
BlockList<Element>* documentList(VornDocument& document, const char* name)
{
    return dynamic_cast<BlockList<Element>*>(document.getBlockList(name));
}

inline std::size_t lineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The application interface with the library's object types and shapes, the importer and the
// exporter, and the documents it makes.
class ModelFileWorld
{
public:
    ModelFileWorld()
    {
        installModelServices();
        registry.addPluginType(&mai.pluginLists.objectTypes, "ObjectType", nullptr);
        registry.addPluginType(&mai.pluginLists.shapes, "Shape", nullptr);
        for (uint32_t index : modelObjectTypeIndices)
            addPlugin(index);
        for (uint32_t index : modelShapeIndices)
            addPlugin(index);
        importer.mai = &mai;
        exporter.mai = &mai;
    }

    // A new document as the host makes one, made the active one.
    CountingDoc& newDocument()
    {
        documents.push_back(std::make_unique<CountingDoc>(&mai));
        CountingDoc& doc = *documents.back();
        for (VornPluginBase* plugin = mai.pluginLists.objectTypes; plugin != nullptr; plugin = plugin->getNext())
            static_cast<VornPluginObjectType*>(plugin)->addBlockLists(&doc);
        // The lists the creators add.
        doc.document.addBlockList(new BlockList<VornJoint>("VornJoint"));
        doc.document.addBlockList(new BlockList<VornMember>("VornMember"));
        doc.document.addBlockList(new BlockList<VornForceDefinition>("VornForceDefinition"));
        doc.document.addBlockList(new BlockList<VornForceInstance>("VornForceInstance"));
        doc.document.reset();
        doc.initDocument();
        mai.activeDocument = &doc;
        return doc;
    }

    VornPluginShape* shape(const char* name)
    {
        for (VornPluginBase* plugin = mai.pluginLists.shapes; plugin != nullptr; plugin = plugin->getNext())
            if (std::string(plugin->getName()) == name)
                return static_cast<VornPluginShape*>(plugin);
        return nullptr;
    }

    // A section of the shape with its parameters set through the shape, as the pages set them.
    VornCrossSection* addSection(CountingDoc& doc, const char* name, const char* shapeName,
                                 std::initializer_list<double> parameters)
    {
        VornCrossSection* section = documentList<VornCrossSection>(doc.document, "VornCrossSection")->add();
        section->name.set(&doc.document.getStringStorage(), name);
        VornPluginShape* shape = this->shape(shapeName);
        shape->applyToCrossSection(section);
        int32_t index = 0;
        for (double value : parameters)
        {
            if (shape->isBooleanParameter(index))
                shape->setBoolParameter(index, section, value != 0);
            else
                shape->setDoubleParameter(index, section, value);
            ++index;
        }
        shape->applyToCrossSection(section);
        return section;
    }

    // Every kind of object with awkward values: thirds, extremes, subnormals, flag bits, blanks
    // in names, an empty name, a long name.
    CountingDoc& buildEveryKind()
    {
        CountingDoc& doc = newDocument();
        VornDocument& document = doc.document;
        StringManager* strings = &document.getStringStorage();

        VornMaterial* steel = documentList<VornMaterial>(document, "VornMaterial")->add();
        steel->name.set(strings, "Steel S355  ");
        steel->colorAndFlags = 0x04123456;
        steel->setDensity(7850.0 + 1.0 / 3);
        steel->setElasticity(2.1e11 / 7);
        steel->setParameter3(std::numbers::pi * 1e-7);
        steel->setTension(3.55e8 + 0.1);
        steel->setCompression(4.9e-324);

        VornCrossSection* box = addSection(doc, "Box", "Rectangle", {0, 0.3, 0.2, 0, 0.25, 0.15});
        VornCrossSection* ellipse = addSection(doc, "Ellipse", "Tube", {0, 0.31, 0.17, 0, 0.2, 0.1});
        VornCrossSection* square = addSection(doc, "Square tube", "Rectangle", {1, 0.123456789, 0.123456789, 0, 0.1, 0.1});
        // Inner extents pushed against the outer ones: the shape keeps the outer ones just outside.
        addSection(doc, "Tight", "Rectangle", {0, 0.3, 0.2, 0, 0.3, 0.2});
        addSection(doc, "Tight tube", "Tube", {0, 0.3, 0.2, 0, 0.3, 0.2});
        VornCrossSection* hBeam = documentList<VornCrossSection>(document, "VornCrossSection")->add();
        hBeam->name.set(strings, std::string(100000, 'H').c_str());
        hBeam->setValues(0.0123 / 3, 1.1e-4 / 3, 2.2e-5 / 7, 0.5e-6, 3.3e-7 / 9);
        shape("HBeam")->applyToCrossSection(hBeam);
        VornCrossSection* bare = documentList<VornCrossSection>(document, "VornCrossSection")->add();
        bare->name.set(strings, "Bare");
        bare->setValues(0.02 / 3, 1e-5 / 3, 2e-5 / 3, -1e-7 / 3, 4e-5 / 3);
        bare->colorAndFlags = 0x08ABCDEF;

        auto* joints = documentList<VornJoint>(document, "VornJoint");
        const double coordinates[][3] = {{0, 0, 0}, {1.0 / 3, -2.0 / 3, 1e300}, {-1e-300, 5e-324, std::numbers::pi},
                                         {-0.0, 12345.678901234567, -9.87654321e-5}};
        const char* jointNames[] = {"J1", "Joint with blanks  ", "", "J4"};
        const uint8_t supports[] = {0x00, 0xC0, 0x7F, 0xFF};
        const uint32_t words[] = {0x00000000, 0x04FF0000, 0x0800FF00, 0x2C0000FF};
        for (int index = 0; index < 4; ++index)
        {
            VornJoint* joint = joints->add();
            joint->name.set(strings, jointNames[index]);
            joint->colorAndFlags = words[index];
            const Vector3 position(coordinates[index][0], coordinates[index][1], coordinates[index][2]);
            joint->getPosition() = position;
            joint->getCreationCoordinate() = position;
            joint->supportFlags = supports[index];
        }

        auto* members = documentList<VornMember>(document, "VornMember");
        auto addMember = [&](const char* name, int start, int end, VornMaterial* material, VornCrossSection* section) {
            VornMember* member = members->add();
            member->name.set(strings, name);
            member->setStartJoint(&(*joints)[start]);
            member->setEndJoint(&(*joints)[end]);
            member->setMaterial(material);
            member->setCrossSection(section);
            return member;
        };
        addMember("M1", 0, 3, steel, box)->setAngle(12.345678901234567);
        addMember("M2", 3, 0, nullptr, nullptr)->setAngle(-90);
        VornMember* fixed = addMember("M3 fixed", 0, 3, &(*documentList<VornMaterial>(document, "VornMaterial"))[0],
                                      ellipse);
        fixed->setFlagBits(VornFlag::LengthFixed);
        fixed->setLength(7.25 / 3);
        addMember("M4", 3, 0, steel, square);
        addMember("M5", 0, 3, nullptr, hBeam);
        addMember("M6", 3, 0, steel, bare)->colorAndFlags = 0x20000080;

        auto* definitions = documentList<VornForceDefinition>(document, "VornForceDefinition");
        VornForceDefinition* load = definitions->add();
        load->name.set(strings, "Load");
        load->setVector(0, 0, -1000.0 / 3);
        VornForceDefinition* wind = definitions->add();
        wind->name.set(strings, "Wind");
        wind->setLocal();
        wind->setVector(1.0 / 3, 2.0 / 7, 0);
        auto* forces = documentList<VornForceInstance>(document, "VornForceInstance");
        const int forceJoints[] = {0, 3, 3};
        VornForceDefinition* forceDefinitions[] = {load, wind, load};
        for (int index = 0; index < 3; ++index)
        {
            VornForceInstance* force = forces->add();
            force->name.set(strings, ("F" + std::to_string(index + 1)).c_str());
            force->setJoint(&(*joints)[forceJoints[index]]);
            force->setForceDefinition(forceDefinitions[index]);
        }
        return doc;
    }

    ScriptedMAI mai;
    PluginManager registry;
    lumbra::PluginFileImportTempFormat importer;
    lumbra::PluginFileExportTempFormat exporter;
    std::vector<std::unique_ptr<CountingDoc>> documents;

private:
    void addPlugin(uint32_t index)
    {
        VornPlugin* plugin = lumbra::createPlugin(index);
        plugin->mai = &mai;
        registry.addPlugin(plugin);
    }
};
