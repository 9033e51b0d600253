// The object types of cross-sections, materials and modifiers: the lists and defaults they give a
// new document, and members linked to those defaults following every change of their values.

#include "Lumbra/CrossSectionShapes.h"
#include "Lumbra/LumbraPlugins.h"
#include "Lumbra/PropertyObjectTypes.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "platform/Services.h"
#include "plugins/PluginManager.h"
#include "tests/lumbra/LumbraTestDoubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace
{

// Table indices of the library's object types and shapes.
constexpr uint32_t objectTypeIndices[] = {9, 10, 11};
constexpr uint32_t shapeIndices[] = {38, 39, 40};

// A document interface made as the host makes one: every object type of the library adds its list,
// the document is emptied and then initialised, with or without the library's shapes registered.
class NewDocument : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installModelServices();
        registry.addPluginType(&mai.pluginLists.objectTypes, "ObjectType", nullptr);
        registry.addPluginType(&mai.pluginLists.shapes, "Shape", nullptr);
    }

    void addPlugins(std::span<const uint32_t> indices)
    {
        for (uint32_t index : indices)
        {
            VornPlugin* plugin = lumbra::createPlugin(index);
            ASSERT_NE(plugin, nullptr) << index;
            plugin->mai = &mai;
            registry.addPlugin(plugin);
        }
    }

    void create(bool withShapes = true)
    {
        addPlugins(objectTypeIndices);
        if (withShapes)
            addPlugins(shapeIndices);
        for (VornPluginBase* plugin = mai.pluginLists.objectTypes; plugin != nullptr; plugin = plugin->getNext())
            static_cast<VornPluginObjectType*>(plugin)->addBlockLists(&doc);
        doc.document.reset();
        doc.initDocument();
    }

    template <class Element>
    BlockList<Element>* list(const char* name)
    {
        return dynamic_cast<BlockList<Element>*>(doc.document.getBlockList(name));
    }

    VornCrossSection* defaultSection() { return &(*list<VornCrossSection>("VornCrossSection"))[0]; }
    VornMaterial* defaultMaterial() { return &(*list<VornMaterial>("VornMaterial"))[0]; }

    ScriptedMAI mai;
    PluginManager registry;
    ChannelLog log{mai, {Channel::CrossSectionsChanged, Channel::MaterialsChanged}};
    CountingDoc doc{&mai};
};

TEST_F(NewDocument, HoldsTheDefaultSectionBuiltByTheFirstShapeAndSteel)
{
    create();
    ASSERT_STREQ(mai.pluginLists.shapes->getName(), "Tube");

    BlockList<VornCrossSection>* sections = list<VornCrossSection>("VornCrossSection");
    ASSERT_NE(sections, nullptr);
    ASSERT_EQ(sections->getCount(), 1u);
    VornCrossSection* section = defaultSection();
    EXPECT_STREQ(section->name.getString(), " default");
    EXPECT_EQ(section->shape, mai.pluginLists.shapes);
    EXPECT_NEAR(section->getArea(), 0.01, 1e-9);
    EXPECT_NEAR(section->getIx(), 7.957747e-6, 1e-11);
    EXPECT_NEAR(section->getIy(), 7.957747e-6, 1e-11);
    EXPECT_EQ(section->getIxy(), 0.0);
    EXPECT_NEAR(section->getJ(), 1.591549e-5, 1e-11);
    EXPECT_EQ(doc.creationCrossSection.get(), section);

    BlockList<VornMaterial>* materials = list<VornMaterial>("VornMaterial");
    ASSERT_NE(materials, nullptr);
    ASSERT_EQ(materials->getCount(), 1u);
    VornMaterial* steel = defaultMaterial();
    EXPECT_STREQ(steel->name.getString(), " default");
    EXPECT_EQ(steel->getElasticity(), 2.0e11);
    EXPECT_EQ(steel->getPoissonRatio(), 0.28);
    EXPECT_EQ(steel->getDensity(), 7800.0);
    EXPECT_EQ(steel->getParameter3(), 1.2e-07);
    EXPECT_EQ(steel->getTension(), 2.0e8);
    EXPECT_EQ(steel->getCompression(), 2.0e8);
    EXPECT_EQ(steel->getShearModulus(), 7.8125e10);
    EXPECT_EQ(steel->getColor(), 0x80FF80u);
    EXPECT_EQ(steel->colorAndFlags >> 24, 0u);
    EXPECT_EQ(doc.creationMaterial.get(), steel);

    BlockList<VornModifier>* modifiers = list<VornModifier>("VornModifier");
    ASSERT_NE(modifiers, nullptr);
    EXPECT_EQ(modifiers->getCount(), 0u);

    // Each default is announced once, as a change of its whole list.
    EXPECT_EQ(log.heard.size(), 2u);
    EXPECT_EQ(std::count(log.heard.begin(), log.heard.end(), Channel::CrossSectionsChanged), 1);
    EXPECT_EQ(std::count(log.heard.begin(), log.heard.end(), Channel::MaterialsChanged), 1);
    for (void* payload : log.payloads)
        EXPECT_EQ(payload, nullptr);
}

TEST_F(NewDocument, WithoutShapesTheDefaultSectionKeepsItsPlainDefaults)
{
    create(false);
    VornCrossSection* section = defaultSection();
    EXPECT_EQ(section->getArea(), 0.01);
    for (double value : {section->getIx(), section->getIy(), section->getIxy(), section->getJ()})
        EXPECT_EQ(value, 0.0);
    EXPECT_EQ(section->shape, nullptr);
    EXPECT_TRUE(section->shapeData.isEmpty());
    EXPECT_EQ(doc.creationCrossSection.get(), section);
}

TEST_F(NewDocument, WithoutTheirListsOrADocumentTheDefaultsAreNotMade)
{
    addPlugins(objectTypeIndices);
    addPlugins(shapeIndices);
    doc.document.reset();
    for (VornPluginBase* plugin = mai.pluginLists.objectTypes; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* objectType = static_cast<VornPluginObjectType*>(plugin);
        objectType->initDocument(nullptr);
        objectType->initDocument(&doc);
        objectType->addBlockLists(nullptr);
    }
    EXPECT_EQ(doc.document.getBlockList("VornCrossSection"), nullptr);
    EXPECT_EQ(doc.creationCrossSection.get(), nullptr);
    EXPECT_EQ(doc.creationMaterial.get(), nullptr);
    EXPECT_TRUE(log.heard.empty());
}

TEST_F(NewDocument, AddingTheListsAgainKeepsTheListsThatHoldTheDefaults)
{
    create();
    VornCrossSection* section = defaultSection();
    for (VornPluginBase* plugin = mai.pluginLists.objectTypes; plugin != nullptr; plugin = plugin->getNext())
        static_cast<VornPluginObjectType*>(plugin)->addBlockLists(&doc);
    EXPECT_EQ(defaultSection(), section);
    int sectionLists = 0;
    for (BlockListBase* each = doc.document.getBlockList(0); each != nullptr; each = each->getNext())
        sectionLists += std::string(each->getName()) == "VornCrossSection";
    EXPECT_EQ(sectionLists, 1);
}

// ---- plugin texts ----

struct TextsCase
{
    uint32_t index;
    const char* typeName;
    const char* name;
    const char* description;
    const char* aboutCaption;
};

class LibraryModelPlugins : public ::testing::TestWithParam<TextsCase>
{
};

TEST_P(LibraryModelPlugins, DescribeThemselves)
{
    const TextsCase& c = GetParam();
    std::unique_ptr<VornPlugin> plugin(lumbra::createPlugin(c.index));
    ASSERT_NE(plugin, nullptr);
    EXPECT_STREQ(plugin->getTypeName(), c.typeName);
    EXPECT_STREQ(plugin->getName(), c.name);
    EXPECT_STREQ(plugin->getDescription(), c.description);
    EXPECT_STREQ(plugin->getName(), lumbra::pluginTable[c.index].name);
    EXPECT_EQ(plugin->GetPackagedPlugin(0), nullptr);

    platform::ScriptedInteraction boxes;
    plugin->about(nullptr);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, c.aboutCaption);
    EXPECT_EQ(boxes.boxes[0].text, std::string(c.name) + "\n1999");
    EXPECT_EQ(boxes.boxes[0].type, platform::MB_OK);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LibraryModelPlugins,
    ::testing::Values(TextsCase{9, "ObjectType", "ObjectType CrossSection",
                                "ObjectType CrossSection:\nInserts CrossSection-Data ObjectType into the document.",
                                "ObjectType CrossSection"},
                      TextsCase{10, "ObjectType", "ObjectType Material",
                                "ObjectType Material:\nInserts Material-Data ObjectType into the document.",
                                "ObjectType Material"},
                      TextsCase{11, "ObjectType", "ObjectType Modifier",
                                "ObjectType Modifier:\nInserts Modifier-Data ObjectType into the document.",
                                "ObjectType Modifier"},
                      TextsCase{38, "Shape", "HBeam", "HBeam:\nDefines HBeam Shape.", "HBeam Shape"},
                      TextsCase{39, "Shape", "Rectangle", "Rectangle:\nDefines Rectangle Shape.", "Rectangle Shape"},
                      TextsCase{40, "Shape", "Tube", "Tube:\nDefines Tube Shape.", "Tube Shape"}));

TEST(LibraryObjectTypes, NameTheirObjectTypes)
{
    installModelServices();
    const struct
    {
        uint32_t index;
        const char* typeName;
        int32_t typeId;
    } expected[] = {{9, "CrossSection", VornCrossSection::staticTypeID()},
                    {10, "Material", VornMaterial::staticTypeID()},
                    {11, "Modifier", VornModifier::staticTypeID()}};
    for (const auto& each : expected)
    {
        std::unique_ptr<VornPlugin> plugin(lumbra::createPlugin(each.index));
        auto* objectType = dynamic_cast<VornPluginObjectType*>(plugin.get());
        ASSERT_NE(objectType, nullptr);
        EXPECT_STREQ(objectType->getObjectTypeName(), each.typeName);
        EXPECT_EQ(objectType->getObjectTypeID(), each.typeId);
        EXPECT_STREQ(getTypeIDManager()->getName(each.typeId), each.typeName);
    }
}

// ---- members on the defaults ----

// A member outside any list that records the change codes it is told.
class NoticedMember : public VornMember
{
public:
    ~NoticedMember() override
    {
        setCrossSection(nullptr);
        setMaterial(nullptr);
    }
    void linkedObjectChanged(VornBaseObject* source, int32_t code) override
    {
        codes.push_back(code);
        VornMember::linkedObjectChanged(source, code);
    }
    std::vector<int32_t> codes;
};

class MemberOnDefaults : public NewDocument
{
protected:
    void SetUp() override
    {
        NewDocument::SetUp();
        create();
        member.setCrossSection(static_cast<VornCrossSection*>(doc.creationCrossSection.get()));
        member.setMaterial(static_cast<VornMaterial*>(doc.creationMaterial.get()));
        member.codes.clear();
    }

    // The member's cached values against those of its section and material.
    void expectCachedFromDefaults()
    {
        const VornCrossSection* section = defaultSection();
        const VornMaterial* steel = defaultMaterial();
        EXPECT_DOUBLE_EQ(member.getEA(), steel->getElasticity() * section->getArea());
        EXPECT_DOUBLE_EQ(member.getInverseArea(), 1.0 / section->getArea());
        EXPECT_DOUBLE_EQ(member.getGJ(), steel->getShearModulus() * section->getJ());
        EXPECT_DOUBLE_EQ(member.getHalfMassPerLength(), 0.5 * section->getArea() * steel->getDensity());
        EXPECT_EQ(member.getIx(), section->getIx());
        EXPECT_EQ(member.getIy(), section->getIy());
    }

    NoticedMember member;
};

TEST_F(MemberOnDefaults, CachesTheValuesOfSteelAndTheDefaultTube)
{
    // The tube's diameter is kept in single precision, so its area is 0.01 to about 1e-7.
    EXPECT_NEAR(member.getEA(), 2.0e9, 2.0e9 * 1e-6);
    EXPECT_NEAR(member.getHalfMassPerLength(), 39.0, 39.0 * 1e-6);
    EXPECT_NEAR(member.getGJ(), 7.8125e10 * 1.591549e-5, 7.8125e10 * 1.591549e-5 * 1e-6);
    expectCachedFromDefaults();
}

struct ChangeCase
{
    const char* what;
    void (*change)(VornCrossSection*, VornMaterial*);
    std::vector<int32_t> codes;
};

class MemberFollowsDefaults : public MemberOnDefaults, public ::testing::WithParamInterface<ChangeCase>
{
};

TEST_P(MemberFollowsDefaults, AtOnce)
{
    const ChangeCase& c = GetParam();
    c.change(defaultSection(), defaultMaterial());
    EXPECT_EQ(member.codes, c.codes);
    expectCachedFromDefaults();
}

INSTANTIATE_TEST_SUITE_P(
    Setters, MemberFollowsDefaults,
    ::testing::Values(
        ChangeCase{"area", [](VornCrossSection* s, VornMaterial*) { s->setArea(0.03); }, {5}},
        ChangeCase{"Ix", [](VornCrossSection* s, VornMaterial*) { s->setIx(2e-5); }, {6}},
        ChangeCase{"Iy", [](VornCrossSection* s, VornMaterial*) { s->setIy(3e-5); }, {7}},
        ChangeCase{"Ixy", [](VornCrossSection* s, VornMaterial*) { s->setIxy(1e-7); }, {8}},
        ChangeCase{"J", [](VornCrossSection* s, VornMaterial*) { s->setJ(4e-5); }, {9}},
        ChangeCase{
            "all_five", [](VornCrossSection* s, VornMaterial*) { s->setValues(0.02, 1e-5, 2e-5, 0, 3e-5); }, {0}},
        ChangeCase{"same_five",
                   [](VornCrossSection* s, VornMaterial*) {
                       s->setValues(s->getArea(), s->getIx(), s->getIy(), s->getIxy(), s->getJ());
                   },
                   {}},
        ChangeCase{"elasticity", [](VornCrossSection*, VornMaterial* m) { m->setElasticity(1.0e11); }, {5}},
        ChangeCase{"density", [](VornCrossSection*, VornMaterial* m) { m->setDensity(2700); }, {6}},
        ChangeCase{"tension", [](VornCrossSection*, VornMaterial* m) { m->setTension(1.0e8); }, {8}},
        // Re-applying the section's own shape finds the same values and tells nobody.
        ChangeCase{
            "same_shape_again", [](VornCrossSection* s, VornMaterial*) { s->shape->applyToCrossSection(s); }, {}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(MemberOnDefaults, FollowsEveryShapeThatComputesTheSection)
{
    VornCrossSection* section = defaultSection();
    for (uint32_t index : {39u, 40u})
    {
        std::unique_ptr<VornPlugin> plugin(lumbra::createPlugin(index));
        auto* shape = static_cast<VornPluginShape*>(plugin.get());
        SCOPED_TRACE(shape->getName());
        shape->applyToCrossSection(section);
        shape->setBoolParameter(0, section, false);
        shape->setDoubleParameter(1, section, 0.3);
        member.codes.clear();
        shape->applyToCrossSection(section);
        EXPECT_EQ(member.codes, (std::vector<int32_t>{0}));
        expectCachedFromDefaults();
        section->shape = nullptr; // the plugin goes away with this scope
    }
}

TEST_F(MemberOnDefaults, ElasticityCarriesTheShearModulus)
{
    defaultMaterial()->setElasticity(1.0e11);
    EXPECT_DOUBLE_EQ(defaultMaterial()->getShearModulus(), 1.0e11 / 2.56);
    EXPECT_DOUBLE_EQ(member.getGJ(), 1.0e11 / 2.56 * defaultSection()->getJ());
}

} // namespace
