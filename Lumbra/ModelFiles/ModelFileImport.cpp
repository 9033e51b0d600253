#include "Lumbra/ModelFiles/ModelFileImport.h"

#include "Lumbra/LumbraMenuItem.h"
#include "Lumbra/ModelFiles/ImportSelection.h"
#include "Lumbra/ModelFiles/ModelFileFormat.h"
#include "Lumbra/ModelFiles/ModelFileReader.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornForceDefinition.h"
#include "VornData/VornForceInstance.h"
#include "VornData/VornJoint.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornMember.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "plugins/DocumentChangeLock.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/NameNumbering.h"

#include <cstring>
#include <variant>
#include <vector>

namespace lumbra
{

using namespace modelfile;

namespace
{

constexpr const char* importWaitingText =
    "Import function\nis waiting to gain access to the database.\nBut thus far this is not granted.\n\n"
    "Abort Import?\nRetry to gain access?\nOr ignore? (could cause program crash)";

// The document's list of a section; one the document lacks is added when the file has records for
// it, so that nothing of the file is dropped.
template <class Element>
BlockList<Element>* listFor(VornDocument& document, Section section, bool needed)
{
    auto* list = dynamic_cast<BlockList<Element>*>(document.getBlockList(listNameOf(section)));
    if (list == nullptr && needed)
    {
        list = createDocumentList<Element>(listNameOf(section), "PluginFileImportTempFormat::import");
        document.addBlockList(list);
    }
    return list;
}

template <class Element, class Record>
Element* addNamed(BlockList<Element>* list, StringManager* strings, const Record& record)
{
    Element* element = list->add();
    element->name.set(strings, record.name.c_str());
    element->colorAndFlags = record.word;
    return element;
}

// The element a file index names among those this import added; null for -1.
template <class Element>
Element* resolve(const std::vector<Element*>& added, int32_t index)
{
    return index >= 0 ? added[static_cast<std::size_t>(index)] : nullptr;
}

void moveDependents(VornForceDefinition* added, VornForceDefinition* kept)
{
    while (knot* link = added->forces.getFirst())
        static_cast<VornForceInstance*>(link->getObject())->setForceDefinition(kept);
}

// Members use a material or cross-section through their knots in its members list.
void moveDependents(VornProperty* added, VornProperty* kept)
{
    while (knot* link = added->members.getFirst())
        static_cast<VornBaseObject*>(link->getObject())->link(kept);
}

// Merges the elements from `base` on into the elements before `base`: one with the name and the
// values of an earlier element gives its users to that one and leaves; one that only shares a name
// is renamed with the next number until its name is free or it merges. Answers whether any added
// element stayed.
template <class Element>
bool mergeAdded(BlockList<Element>* list, uint32_t base, StringManager* strings)
{
    if (list == nullptr || list->getCount() <= base)
        return false;
    bool anyLeft = false;
    // From the last added: a leaving element's slot is filled by the list's last one, which has
    // been dealt with already.
    for (uint32_t position = list->getCount(); position-- > base;)
    {
        Element* added = &(*list)[position];
        if constexpr (std::is_same_v<Element, VornForceDefinition>)
            added->updateInstances();
        bool merged = false;
        for (uint32_t earlier = 0; earlier < base;)
        {
            Element* existing = &(*list)[earlier];
            if (std::strcmp(existing->name.getString(), added->name.getString()) != 0)
            {
                ++earlier;
                continue;
            }
            if (existing->isEqual(*added))
            {
                moveDependents(added, existing);
                added->removeFromList();
                merged = true;
                break;
            }
            std::string renamed = added->name.getString();
            incrementNameNumber(renamed);
            added->name.set(strings, renamed.c_str());
            earlier = 0;
        }
        anyLeft = anyLeft || !merged;
    }
    return anyLeft;
}

void applyCrossSection(VornCrossSection* section, const CrossSectionRecord& record)
{
    section->setArea(record.area);
    section->setIx(record.ix);
    section->setIy(record.iy);
    if (record.hasAllValues)
    {
        section->setIxy(record.ixy);
        section->setJ(record.j);
    }
    VornPluginShape* shape = record.shape;
    section->shape = shape;
    if (shape == nullptr)
        return;
    shape->applyToCrossSection(section);
    if (!record.hasAllValues)
    {
        // An old file has no parameters: the shape is drawn after the area, the values stay the file's.
        section->setArea(record.area);
        section->setIx(record.ix);
        section->setIy(record.iy);
        return;
    }
    for (std::size_t index = 0; index < record.parameters.size(); ++index)
    {
        const auto parameter = static_cast<int32_t>(index);
        if (shape->isBooleanParameter(parameter))
            shape->setBoolParameter(parameter, section, record.parameters[index] != 0);
        else
            shape->setDoubleParameter(parameter, section, record.parameters[index]);
    }
    shape->applyToCrossSection(section);
}

} // namespace

bool addModelToDocument(MAI_Doc* documentInterface, const ModelFileContent& content, const std::string& title,
                        std::chrono::milliseconds lockTimeout)
{
    // A calculation's worker changes the model under the lock; the import waits for it or gives up.
    DocumentChangeLock lock(documentInterface, importWaitingText, lockTimeout);
    if (!lock)
        return false;
    VornDocument& document = documentInterface->document;
    StringManager* strings = &document.getStringStorage();
    ImportSelection selection(documentInterface);

    auto* materials = listFor<VornMaterial>(document, Section::Materials, !content.materials.empty());
    auto* crossSections = listFor<VornCrossSection>(document, Section::CrossSections, !content.crossSections.empty());
    auto* joints = listFor<VornJoint>(document, Section::Joints, !content.joints.empty());
    auto* members = listFor<VornMember>(document, Section::Members, !content.members.empty());
    auto* definitions =
        listFor<VornForceDefinition>(document, Section::ForceDefinitions, !content.forceDefinitions.empty());
    auto* forces = listFor<VornForceInstance>(document, Section::ForceInstances, !content.forceInstances.empty());
    const uint32_t materialBase = materials != nullptr ? materials->getCount() : 0;
    const uint32_t crossSectionBase = crossSections != nullptr ? crossSections->getCount() : 0;
    const uint32_t definitionBase = definitions != nullptr ? definitions->getCount() : 0;

    std::vector<VornMaterial*> addedMaterials;
    for (const MaterialRecord& record : content.materials)
    {
        VornMaterial* material = addNamed(materials, strings, record);
        material->setDensity(record.density);
        material->setElasticity(record.elasticity);
        material->setParameter3(record.parameter3);
        if (record.hasStrengths)
        {
            material->setTension(record.tension);
            material->setCompression(record.compression);
        }
        addedMaterials.push_back(material);
    }
    std::vector<VornCrossSection*> addedCrossSections;
    for (const CrossSectionRecord& record : content.crossSections)
    {
        VornCrossSection* section = addNamed(crossSections, strings, record);
        applyCrossSection(section, record);
        addedCrossSections.push_back(section);
    }
    std::vector<VornJoint*> addedJoints;
    addedJoints.reserve(content.joints.size());
    for (const JointRecord& record : content.joints)
    {
        VornJoint* joint = addNamed(joints, strings, record);
        const Vector3 position(record.x, record.y, record.z);
        joint->getPosition() = position;
        joint->getCreationCoordinate() = position;
        joint->getUnmodifiedPosition() = position;
        joint->getModifiedPosition() = position;
        joint->supportFlags = record.support;
        selection.add(joint);
        addedJoints.push_back(joint);
    }
    for (const MemberRecord& record : content.members)
    {
        VornJoint* start = resolve(addedJoints, record.startJoint);
        VornJoint* end = resolve(addedJoints, record.endJoint);
        // A member that lost a joint before it was written is not taken over.
        if (start == nullptr || end == nullptr)
            continue;
        VornMember* member = addNamed(members, strings, record);
        member->setLength(record.length);
        member->setAngle(record.angle);
        member->setStartJoint(start);
        member->setEndJoint(end);
        if (VornMaterial* material = resolve(addedMaterials, record.material))
            member->link(material);
        if (VornCrossSection* section = resolve(addedCrossSections, record.crossSection))
            member->link(section);
        selection.add(member);
    }
    std::vector<VornForceDefinition*> addedDefinitions;
    for (const ForceDefinitionRecord& record : content.forceDefinitions)
    {
        VornForceDefinition* definition = addNamed(definitions, strings, record);
        definition->getVector().set(record.x, record.y, record.z);
        definition->update();
        addedDefinitions.push_back(definition);
    }
    for (const ForceInstanceRecord& record : content.forceInstances)
    {
        VornForceDefinition* definition = resolve(addedDefinitions, record.definition);
        VornJoint* joint = resolve(addedJoints, record.joint);
        if (definition == nullptr || joint == nullptr)
            continue;
        VornForceInstance* force = addNamed(forces, strings, record);
        force->setForceDefinition(definition);
        force->setJoint(joint);
        selection.add(force);
    }

    MAI* mai = documentInterface->mai;
    if (mergeAdded(definitions, definitionBase, strings))
        notify(mai, Channel::ForceDefinitionsChanged);
    if (mergeAdded(materials, materialBase, strings))
        notify(mai, Channel::MaterialsChanged);
    if (mergeAdded(crossSections, crossSectionBase, strings))
        notify(mai, Channel::CrossSectionsChanged);
    selection.finish(title);
    return true;
}

PluginFileImportTempFormat::PluginFileImportTempFormat()
    : TempFormatPlugin("TempFormat Importer", "Error PluginFileImportTempFormat"), lockTimeout(documentLockTimeout)
{
}

bool PluginFileImportTempFormat::canImport(const char* path)
{
    return path != nullptr && hasModelFileMagic(path);
}

bool PluginFileImportTempFormat::import(const char* path)
{
    if (path == nullptr || mai == nullptr)
        return false;
    std::vector<VornPluginShape*> shapes;
    for (VornPluginBase* shape = mai->pluginLists.shapes; shape != nullptr; shape = shape->getNext())
        shapes.push_back(static_cast<VornPluginShape*>(shape));
    auto result = readModelFile(path, shapes);
    auto* error = std::get_if<ModelFileError>(&result);
    if (error != nullptr && error->stage != ModelFileError::Stage::Content)
    {
        showError(error->message);
        return false;
    }
    MAI_Doc* documentInterface = mai->activeDocument;
    if (documentInterface == nullptr)
    {
        showError("No active document");
        return false;
    }
    if (error != nullptr)
    {
        showError(error->message);
        return false;
    }
    return addModelToDocument(documentInterface, std::get<ModelFileContent>(result), fileTitleOf(path), lockTimeout);
}

} // namespace lumbra
