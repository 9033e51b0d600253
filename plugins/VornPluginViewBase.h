#pragma once

#include "VornData/generalException.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginMenuItem.h"

#include <initializer_list>
#include <new>

class DrawObject;
class MAI_View;
class PluginDrawObject;
class ViewTypeInfo;
class VornJoint;

// A view type ("View Base"): how a view shows the model. One view type serves many views; its
// per-view state is a ViewTypeInfo.
class VornPluginViewBase : public VornPluginWindowed
{
public:
    const char* getTypeName() override;
    // This view type's state for the view, made on first use and then in front of the view's chain.
    virtual ViewTypeInfo* getViewTypeInfo(MAI_View* view) = 0;
    // A view of this type became active after another view (of any type).
    virtual void activateView(MAI_View* previousView, VornPluginViewBase* previousViewType);
    // A view of this type is left for another view.
    virtual void deactivateView(MAI_View* nextView, VornPluginViewBase* nextViewType);
    virtual void draw(platform::DeviceContext* context, ViewTypeInfo* info) = 0;
    // The view type's own selection tool.
    virtual void onMouse(MAI_View* view, int32_t x, int32_t y, uint32_t flags) = 0;

    VornPluginMenuItem* selectMenuItem = nullptr; // the menu item that shows this view type
    VornPluginMenuItem* currentTool = nullptr; // the tool last chosen on the view's page
    void* reserved[2] = {nullptr, nullptr};
};

// Makes the view show the view type (the selection of a view type's menu item): the view type shown
// so far is told deactivateView, the new one gets its state in front of the view's chain, the
// dialogs are offered the view type (`mai` may be null), the new one is told activateView and the
// view repaints. Nothing happens when the view shows that type already.
void showViewType(MAI* mai, MAI_View* view, VornPluginViewBase* viewType);
// Whether the view shows that view type now.
bool isViewTypeShown(const MAI_View* view, const VornPluginViewBase* viewType);

// The state of one view type in one view. The view owns its states (chained with the shown one in
// front) and destroys them with itself; a state owns its draw objects.
class ViewTypeInfo
{
public:
    // With an owner view, the new state goes in front of the view's chain: it is shown.
    ViewTypeInfo(VornPluginViewBase* viewType, MAI_View* owner);
    ViewTypeInfo(const ViewTypeInfo&) = delete;
    ViewTypeInfo& operator=(const ViewTypeInfo&) = delete;

    // Destroys the state's draw objects and leaves the owner's chain.
    virtual ~ViewTypeInfo();
    virtual void resize(int32_t width, int32_t height);
    virtual void invalidate();
    virtual platform::CursorHandle getCursor(int32_t x, int32_t y, uint32_t flags);

    // The owner view shows this view type now.
    bool isActive() const;

    MAI_View* ownerView = nullptr;
    ViewTypeInfo* next = nullptr;
    VornPluginViewBase* viewTypePlugin = nullptr;
    DrawObject* drawObjects = nullptr;
    // While set, the view sends every mouse event to this draw object instead of the active tool.
    DrawObject* mouseHolder = nullptr;
};

// The usual body of VornPluginViewBase::getViewTypeInfo: the view's state of the view type, made
// as an `Info`(viewType, view) when the view has none, and in front either way. A failed
// allocation throws Exc_OutOfMemory naming `thrower`.
template <class Info>
ViewTypeInfo* findOrMakeViewTypeInfo(VornPluginViewBase* viewType, MAI_View* view, const char* thrower)
{
    if (view->findViewTypeInfo(viewType))
        return view->viewTypeInfos;
    Info* info = new (std::nothrow) Info(viewType, view);
    if (info == nullptr)
        throw Exc_OutOfMemory(thrower);
    return info;
}

// One drawable layer of one view state. Each view type's draw objects add their own draw operation.
class DrawObject
{
public:
    // Goes in front of the owner state's chain and of the plugin's chain (each when given).
    DrawObject(PluginDrawObject* plugin, ViewTypeInfo* owner);
    DrawObject(const DrawObject&) = delete;
    DrawObject& operator=(const DrawObject&) = delete;

    // Leaves both chains, and stops holding the mouse.
    virtual ~DrawObject();
    // Mouse input while the object holds the mouse.
    virtual bool onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags);

    uint8_t enabled = 1;
    DrawObject* next = nullptr; // the owner state's chain
    DrawObject* prev = nullptr;
    DrawObject* nextOfPlugin = nullptr; // the chain of objects made by the same plugin
    DrawObject* prevOfPlugin = nullptr;
    PluginDrawObject* plugin = nullptr;
    ViewTypeInfo* owner = nullptr;
};

// Makes one kind of draw object for every view of its view type. Each view type registers its own
// type name for these.
class PluginDrawObject : public VornPlugin
{
public:
    // The plugin's draw objects stay with their views but forget the plugin.
    ~PluginDrawObject() override;
    // A new draw object for the state, linked into its chains.
    virtual DrawObject* getDrawObject(ViewTypeInfo* owner) = 0;
    virtual const char* getDisplayName() = 0;
    virtual const char* getModeName();
    virtual int32_t getBitmapID();
    virtual int32_t getSecondBitmapID();

    DrawObject* drawObjects = nullptr;
};

class VornPluginSnapObject;

// The point a snap object found for a creation tool. Point kinds hold the address of three
// doubles (x, y, z), "Joint" the joint; the view types fill the depth, Lumbra's creators read it.
struct SnapPoint
{
    explicit SnapPoint(uint32_t stamp) : stamp(stamp) {}

    uint32_t stamp; // milliseconds
    double depth = 0.0;
    double distance = 0.0;
    union
    {
        double* point = nullptr;
        VornJoint* joint;
    };
    VornPluginSnapObject* source = nullptr;
};

// A menu item whose command turns one kind of snapping on and off. Snap objects of the same name
// in several view types share one master, whose flags and priority count for all of them.
class VornPluginSnapObject : public VornPluginMenuItem
{
public:
    explicit VornPluginSnapObject(int32_t priority);

    // Toggles the master's enabled flag.
    void execute(MAI_View* activeView) override;
    // The kind of point offered: "Point", "Joint" or "AnyPoint".
    virtual const char* getSnapKind() = 0;
    // When the object finds a point in the view at (x, y) scoring better than `best`, it writes
    // the score, the point and itself into `point` and answers true.
    virtual bool snapPoint(SnapPoint* point, MAI_View* view, float x, float y, float best) = 0;
    // Reserved: nothing calls them; the notices do nothing and the query answers false.
    virtual void reservedNotice1(intptr_t) {}
    virtual void reservedNotice2(intptr_t) {}
    virtual void reservedNotice3(intptr_t) {}
    virtual bool reservedQuery() { return false; }

    // The user wants this kind of snap (hides the plugin's own enabled flag on purpose: a snap
    // object reached as a snap object answers its snapping state).
    bool isEnabled() const { return master->snapEnabled != 0; }
    bool isUsable() const { return master->usable != 0; }
    void setUsable(bool flag) { master->usable = flag ? 1 : 0; }
    int32_t getPriority() const { return master->priority; }
    void setPriority(int32_t value) { master->priority = value; }

    VornPluginSnapObject* nextSnapObject = nullptr; // MAI's chain
    uint8_t snapEnabled = 1;
    uint8_t usable = 0; // the active tool accepts this kind of snap
    int32_t priority;
    VornPluginSnapObject* master;
};

// Whether the snap object (not null) offers points of exactly that kind (case matters).
bool hasSnapKind(VornPluginSnapObject* snapObject, const char* kind);

// The distance a snap search starts from: farther than any point on a screen.
constexpr double noSnapDistance = 80000000.0;

// The point that the enabled and usable snap objects of a list (chained as plugins, a view type's
// snap-object list) find around (x, y) in the view: the one at the smallest distance, an earlier
// object winning a tie. Its source is null when none found a point. With a kind, only snap objects
// of exactly that kind are asked.
SnapPoint findBestSnapPoint(VornPluginBase* snapObjects, MAI_View* view, float x, float y, uint32_t stamp,
                            const char* kind = nullptr);
// The same, asking only snap objects of exactly one of the kinds.
SnapPoint findBestSnapPoint(VornPluginBase* snapObjects, MAI_View* view, float x, float y, uint32_t stamp,
                            std::initializer_list<const char*> kinds);
