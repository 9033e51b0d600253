#pragma once

// The move, rotate and scale modifiers. One class carries the behaviour; the three plugins differ in
// their texts, pictures and kind number. They share the parameter block of their records, so a
// record passes from one to another and keeps what it holds.

#include "plugins/DocumentChangeLock.h"
#include "plugins/VornPluginObjectType.h"

#include <chrono>
#include <cstdint>
#include <string>

class VornVertex;

namespace lumbra
{

// Toolbar and History pictures of the three modifiers (16 x 16 bitmaps of the library).
namespace TransformImage
{
constexpr int32_t MoveButton = 131;
constexpr int32_t RotateButton = 132;
constexpr int32_t ScaleButton = 155;
constexpr int32_t MoveHistory = 160;
constexpr int32_t RotateHistory = 161;
constexpr int32_t ScaleHistory = 162;
} // namespace TransformImage

// What tells the three modifiers apart.
struct TransformModifierTexts
{
    const char* name;
    const char* description;
    const char* aboutCaption;
    const char* menuPath;
    const char* buttonText;
    int32_t bitmapId;
    int32_t secondBitmapId;
    uint8_t kind; // 0 move, 1 rotate, 2 scale
    const char* toolCaption;
    const char* packagingThrower;
};

class PluginModifierTransform : public VornPluginObjectModifier
{
public:
    explicit PluginModifierTransform(const TransformModifierTexts& texts);

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    // Index 0 is the modifier's menu item; see packageMore for the rest.
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;

    int32_t getBitmapID() override { return texts.bitmapId; }
    int32_t getSecondBitmapID() override { return texts.secondBitmapId; }
    int32_t getImageIndex() override { return historyImageIndex; }
    platform::ToolbarButton* getButton() override { return &button; }
    // With a record: marks its objects and rebuilds its base. Without: a new record of the
    // document's selection, or the youngest transform record of exactly those vertices, which
    // then becomes this modifier's. Null when there is nothing to transform.
    VornModifier* activate(MAI_Doc* document, VornModifier* record, uint32_t flags) override;
    void deactivate(MAI_Doc* document) override;
    uint8_t getTransformKind() override { return texts.kind; }
    const char* getToolCaption(int32_t) override { return texts.toolCaption; }
    void applyToBase(VornModifier* record, VornModifiable* object) override;
    void applyToCurrent(VornModifier* record, VornModifiable* object) override;
    // The base state of the record's vertices becomes their creation state with the records
    // older than this one applied.
    void rebuildBase(VornModifier* record) override;
    // The record applied to the base state of its vertices, the younger records on top; the
    // result becomes their position and axes.
    void updateModifier(VornModifier* record) override;

    // Fills the two matrices of the record's parameter block from its pivot, frame angles and
    // parameters; false when the record holds no transform block.
    static bool buildMatrices(VornModifier* record);
    // Whether the record is applied by one of the three transform modifiers.
    static bool isTransformRecord(const VornModifier* record);
    // The transform modifier of the record; null for any other record.
    static PluginModifierTransform* transformOf(const VornModifier* record);

    // How long a change waits for the document lock before it asks the user.
    std::chrono::milliseconds lockTimeout = documentLockTimeout;

protected:
    // The sub-plugins after the menu item (from index 1); none here.
    virtual VornPluginBase* packageMore(uint32_t) { return nullptr; }
    // Answers the new plugin, or throws Exc_OutOfMemory with this modifier's packaging text.
    template <class Plugin, class... Arguments>
    Plugin* makePackaged(Arguments... arguments);

private:
    // Sets or clears the active-record mark on every object of the record's three lists.
    static void markObjects(VornModifier* record, bool marked);
    VornModifier* makeRecord(MAI_Doc* document, VornSelection* selection);
    std::string lockText();
    void sendHistoryChanged();

    TransformModifierTexts texts;
};

class PluginModifierScale : public PluginModifierTransform
{
public:
    PluginModifierScale();
    ~PluginModifierScale() override;
    static PluginModifierScale* instance;
};

class PluginModifierRotate : public PluginModifierTransform
{
public:
    PluginModifierRotate();
    ~PluginModifierRotate() override;
    static PluginModifierRotate* instance;
};

// Move also packages the pagette the three share and registers its plugin type.
class PluginModifierMove : public PluginModifierTransform
{
public:
    PluginModifierMove();
    ~PluginModifierMove() override;
    void registerPluginTypes(PluginManager* registry) override;
    static PluginModifierMove* instance;

    // The head of the "Transform Pagette" list.
    VornPluginBase* transformPagettes = nullptr;

protected:
    VornPluginBase* packageMore(uint32_t index) override;
};

// Registers the modifiers' pictures with the library.
void registerTransformModifierImages();

} // namespace lumbra
