#pragma once

// The object types of a model's property objects: cross-sections, materials and modifiers. Each
// adds its block list to a new document; the cross-section and material types then add the
// document's " default" element and make it the one new members receive.

#include "Lumbra/LumbraPluginTexts.h"
#include "plugins/VornPluginObjectType.h"

namespace lumbra
{

// What the three types share: their texts and the block list they add.
class PropertyObjectType : public VornPluginObjectType
{
public:
    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    const char* getObjectTypeName() override { return objectTypeName; }

protected:
    PropertyObjectType(const PluginTexts& texts, const char* objectTypeName)
        : texts(texts), objectTypeName(objectTypeName)
    {
    }

    // Adds an empty list of that element class and name to the document (nothing without a
    // document, and a list the document already has is kept). `thrower` names the caller in the
    // out-of-memory exception.
    template <class Element>
    static void addList(MAI_Doc* document, const char* listName, const char* thrower);

private:
    PluginTexts texts;
    const char* objectTypeName;
};

// "ObjectType CrossSection": the list "VornCrossSection" and the default cross-section, built by
// the application's first shape.
class PluginObjectTypeCrossSection : public PropertyObjectType
{
public:
    PluginObjectTypeCrossSection();
    int32_t getObjectTypeID() override;
    void addBlockLists(MAI_Doc* document) override;
    void initDocument(MAI_Doc* document) override;
};

// "ObjectType Material": the list "VornMaterial" and the default material (steel).
class PluginObjectTypeMaterial : public PropertyObjectType
{
public:
    PluginObjectTypeMaterial();
    int32_t getObjectTypeID() override;
    void addBlockLists(MAI_Doc* document) override;
    void initDocument(MAI_Doc* document) override;
};

// "ObjectType Modifier": the list "VornModifier", empty in a new document.
class PluginObjectTypeModifier : public PropertyObjectType
{
public:
    PluginObjectTypeModifier();
    int32_t getObjectTypeID() override;
    void addBlockLists(MAI_Doc* document) override;
};

} // namespace lumbra
