#pragma once

#include "Lumbra/Perspective/PerspectiveViewType.h"
#include "__globalobjectdevice/Notifier.h"

#include <cstdint>
#include <functional>

namespace platform
{
class DeviceContext;
struct Pen;
}

class VornSelectable;

namespace lumbra
{

// How a rubber band changes the pre-selection of the objects of a layer.
namespace BandMode
{
constexpr int32_t Start = 0; // selected := pre-selected
constexpr int32_t Commit = 1; // the same, and the pre-selected join the current selection
constexpr int32_t Replace = 2;
constexpr int32_t Add = 3;
constexpr int32_t Subtract = 4;
constexpr int32_t Toggle = 5;
} // namespace BandMode

// One layer of one perspective window.
class PerspectiveDrawObject : public DrawObject
{
public:
    PerspectiveDrawObject(PluginDrawObject* plugin, PerspectiveView* owner) : DrawObject(plugin, owner) {}

    virtual void draw(platform::DeviceContext& context, int32_t paintTime) = 0;
    virtual void selectInBand(int32_t mode) {}
    virtual bool hasSelectedItems() { return false; }

    PerspectiveView& view() const { return *static_cast<PerspectiveView*>(owner); }

    // The next layer of the same window with the same display name (a ring; itself when alone).
    PerspectiveDrawObject* ringLink = nullptr;
};

// The fixed texts of a layer plugin.
struct LayerTexts
{
    const char* name;
    const char* displayName;
    const char* modeName;
    int32_t bitmapId;
    int32_t secondBitmapId;
    const char* description;
    const char* aboutText;
    int32_t aboutYear;
    const char* aboutCaption;
    const char* drawObjectThrower; // names the failed allocation of a layer
    const char* packageThrower; // and of the packaged show-type item
};

// A plugin that makes one layer for every perspective window and packages its show-type item.
class PerspectiveLayerPlugin : public PluginVPDrawObject
{
public:
    explicit PerspectiveLayerPlugin(const LayerTexts& texts) : texts(texts) {}

    const char* getName() override { return texts.name; }
    const char* getDescription() override { return texts.description; }
    void about(PluginWindowHandle* parent) override;
    const char* getDisplayName() override { return texts.displayName; }
    const char* getModeName() override { return texts.modeName; }
    int32_t getBitmapID() override { return texts.bitmapId; }
    int32_t getSecondBitmapID() override { return texts.secondBitmapId; }
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    DrawObject* getDrawObject(ViewTypeInfo* owner) override;

protected:
    virtual PerspectiveDrawObject* makeLayer(PerspectiveView* owner) = 0;

    LayerTexts texts;
};

class PluginVPDOGrid : public PerspectiveLayerPlugin
{
public:
    PluginVPDOGrid();

protected:
    PerspectiveDrawObject* makeLayer(PerspectiveView* owner) override;
};

class PluginVPDOJoints : public PerspectiveLayerPlugin
{
public:
    PluginVPDOJoints();

protected:
    PerspectiveDrawObject* makeLayer(PerspectiveView* owner) override;
};

class PluginVPDOJointSupports : public PerspectiveLayerPlugin
{
public:
    PluginVPDOJointSupports();

protected:
    PerspectiveDrawObject* makeLayer(PerspectiveView* owner) override;
};

// How a member layer colours its members.
enum class MemberColouring
{
    Own,
    Material,
    CrossSection,
};

class PluginVPDOMembers : public PerspectiveLayerPlugin
{
public:
    PluginVPDOMembers();

protected:
    PluginVPDOMembers(const LayerTexts& texts, MemberColouring colouring);
    PerspectiveDrawObject* makeLayer(PerspectiveView* owner) override;
    // Repaints this plugin's layers in the windows of the active document that show them.
    void repaintActiveLayers();

    MemberColouring colouring;
};

// A member layer coloured by a property: it repaints when that kind of property changes or is
// applied to the selection.
class PropertyColouredMembers : public PluginVPDOMembers
{
public:
    void registerListeners() override;

protected:
    PropertyColouredMembers(const LayerTexts& texts, MemberColouring colouring, const char* changeChannel,
                            int32_t (*propertyTypeId)());

private:
    struct ChangeListener : NotifierListener
    {
        explicit ChangeListener(PropertyColouredMembers& plugin) : plugin(plugin) {}
        void notify(void* payload) override;
        PropertyColouredMembers& plugin;
    };
    struct AppliedListener : NotifierListener
    {
        explicit AppliedListener(PropertyColouredMembers& plugin) : plugin(plugin) {}
        void notify(void* payload) override;
        PropertyColouredMembers& plugin;
    };

    const char* changeChannel;
    int32_t (*propertyTypeId)();
    ChangeListener changeListener{*this};
    AppliedListener appliedListener{*this};
};

class PluginVPDOMembersByMat : public PropertyColouredMembers
{
public:
    PluginVPDOMembersByMat();
};

class PluginVPDOMembersByCrs : public PropertyColouredMembers
{
public:
    PluginVPDOMembersByCrs();
};

class PluginVPDOOrigin : public PerspectiveLayerPlugin
{
public:
    PluginVPDOOrigin();

protected:
    PerspectiveDrawObject* makeLayer(PerspectiveView* owner) override;
};

// The object whose state and colour are shown for an object: the outermost closed group around it,
// or itself.
const VornSelectable* representativeOf(const VornSelectable* object);

// Draws every member, from the last, as a line between the offsets of its joints in the pen
// `penFor` gives it; a member with a joint not beyond the near plane is drawn only as far as it
// lies beyond it, its ends taken from `positionOf` (the joint's index: the model point drawn for
// it).
void drawMemberLines(platform::DeviceContext& context, const PerspectiveView& camera, BlockList<VornMember>& members,
                     const ScreenOffsetList& offsets, const std::function<Vector3(uint32_t)>& positionOf,
                     const std::function<platform::Pen(const VornMember&)>& penFor);

// Draws the part of the line between two model points that lies beyond the camera's near plane.
void drawModelLine(platform::DeviceContext& context, const PerspectiveView& camera, const Vector3& from,
                   const Vector3& to);

// The about box of a perspective plugin: its text with the year under it, captioned.
void showPerspectiveAbout(PluginWindowHandle* parent, const char* text, int32_t year, const char* caption);

} // namespace lumbra
