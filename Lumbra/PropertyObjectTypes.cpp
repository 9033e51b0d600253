#include "Lumbra/PropertyObjectTypes.h"

#include "Lumbra/DocumentLists.h"
#include "Lumbra/LumbraMenuItem.h"
#include "__globalobjectdevice/NotificationChannels.h"
#include "VornData/VornCrossSection.h"
#include "VornData/VornMaterial.h"
#include "VornData/VornModifier.h"
#include "VornData/generalException.h"
#include "plugins/MAI.h"

namespace lumbra
{

namespace
{

constexpr const char* defaultName = " default";
constexpr uint32_t defaultMaterialColour = 0x80FF80;

} // namespace

void PropertyObjectType::about(PluginWindowHandle* parent)
{
    showPluginAbout(parent, texts);
}

template <class Element>
void PropertyObjectType::addList(MAI_Doc* document, const char* listName, const char* thrower)
{
    // A document holds one list per name; a second one would hide the elements of the first.
    if (document == nullptr || document->document.getBlockList(listName) != nullptr)
        return;
    document->document.addBlockList(createDocumentList<Element>(listName, thrower));
}

// ---- cross-sections ----

PluginObjectTypeCrossSection::PluginObjectTypeCrossSection()
    : PropertyObjectType({"ObjectType CrossSection",
                          "ObjectType CrossSection:\nInserts CrossSection-Data ObjectType into the document.",
                          "ObjectType CrossSection"},
                         "CrossSection")
{
}

int32_t PluginObjectTypeCrossSection::getObjectTypeID()
{
    return VornCrossSection::staticTypeID();
}

void PluginObjectTypeCrossSection::addBlockLists(MAI_Doc* document)
{
    addList<VornCrossSection>(document, "VornCrossSection", "PluginObjectTypeCrossSection::addBlockLists(..)");
}

void PluginObjectTypeCrossSection::initDocument(MAI_Doc* document)
{
    BlockList<VornCrossSection>* list = listOf<VornCrossSection>(document, "VornCrossSection");
    if (list == nullptr)
        return;
    VornCrossSection* section = list->add();
    // The first shape of the application's list is the default shape; it derives its parameters
    // from the default area.
    VornPluginBase* firstShape = mai != nullptr ? mai->pluginLists.shapes : nullptr;
    if (auto* shape = dynamic_cast<VornPluginShape*>(firstShape))
        shape->applyToCrossSection(section);
    section->name.set(&document->document.getStringStorage(), defaultName);
    document->creationCrossSection.set(section);
    notify(mai, Channel::CrossSectionsChanged);
}

// ---- materials ----

PluginObjectTypeMaterial::PluginObjectTypeMaterial()
    : PropertyObjectType({"ObjectType Material",
                          "ObjectType Material:\nInserts Material-Data ObjectType into the document.",
                          "ObjectType Material"},
                         "Material")
{
}

int32_t PluginObjectTypeMaterial::getObjectTypeID()
{
    return VornMaterial::staticTypeID();
}

void PluginObjectTypeMaterial::addBlockLists(MAI_Doc* document)
{
    addList<VornMaterial>(document, "VornMaterial", "PluginObjectTypeMaterial::addBlockLists(..)");
}

void PluginObjectTypeMaterial::initDocument(MAI_Doc* document)
{
    BlockList<VornMaterial>* list = listOf<VornMaterial>(document, "VornMaterial");
    if (list == nullptr)
        return;
    VornMaterial* material = list->add();
    material->name.set(&document->document.getStringStorage(), defaultName);
    material->setColor(defaultMaterialColour);
    document->creationMaterial.set(material);
    notify(mai, Channel::MaterialsChanged);
}

// ---- modifiers ----

PluginObjectTypeModifier::PluginObjectTypeModifier()
    : PropertyObjectType({"ObjectType Modifier",
                          "ObjectType Modifier:\nInserts Modifier-Data ObjectType into the document.",
                          "ObjectType Modifier"},
                         "Modifier")
{
}

int32_t PluginObjectTypeModifier::getObjectTypeID()
{
    return VornModifier::staticTypeID();
}

void PluginObjectTypeModifier::addBlockLists(MAI_Doc* document)
{
    addList<VornModifier>(document, "VornModifier", "PluginObjectTypeModifier::addBlockLists(..)");
}

} // namespace lumbra
