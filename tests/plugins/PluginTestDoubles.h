#pragma once

// Small stand-ins for the host's interfaces and for plugins, for the framework's tests.

#include "VornData/VornModifier.h"
#include "plugins/MAI.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginMenuItem.h"
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The names of a chain of plugins, from its head.
inline std::vector<std::string> namesOf(VornPluginBase* head)
{
    std::vector<std::string> names;
    for (VornPluginBase* plugin = head; plugin != nullptr; plugin = plugin->getNext())
        names.push_back(plugin->getName());
    return names;
}

class FakeMAI : public MAI
{
public:
    PluginWindowHandle* createWindowHandle(platform::Window*) override { return nullptr; }
    PluginWindowHandle* createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent) override
    {
        requests.push_back(request != nullptr ? request->dialogId : -1);
        return nullptr;
    }
    PluginWindowHandle* requestPluginWindow(VornPluginWindowed*, int32_t, PluginWindowHandle*) override
    {
        return nullptr;
    }
    bool addMenuItem(VornPluginMenuItem*) override { return false; }
    bool removeMenuItem(VornPluginMenuItem*) override { return false; }
    void redrawToolbars() override {}
    int32_t messageBox(const char* text, const char*, uint32_t) override
    {
        boxTexts.push_back(text);
        return boxAnswer;
    }
    void chooseColor(uint32_t*, ColorChoiceListener*) override {}
    const char* getWorkingFolder() override { return "."; }
    void beep() override {}
    void postCommand(uint32_t) override {}

    std::vector<int32_t> requests;
    std::vector<std::string> boxTexts; // of every message box, in order
    int32_t boxAnswer = 1; // what every box answers
};

class FakeDoc : public MAI_Doc
{
public:
    explicit FakeDoc(MAI* mai) : MAI_Doc(mai) {}
    void setActiveCalculator(VornPluginCalculator*) override {}
    void invalidateViews() override {}
    DocumentLock* getLock() override { return &lock; }

    DocumentLock lock;
};

class FakeView : public MAI_View
{
public:
    explicit FakeView(MAI_Doc* document) : MAI_View(document) {}
    void invalidate(bool) override {}
    void getClientRect(platform::Rect&) override {}
    void deactivate(MAI_View*) override {}
    void activate(MAI_View*) override {}
    void setCapture(bool capture) override { captured = capture; }
    platform::DeviceContext* getDC() override { return nullptr; }
    void releaseDC(platform::DeviceContext*) override {}
    platform::WindowHandle getWindowHandle() override { return {}; }

    bool captured = false;
};

// A dialog plugin that records the names of the plugins offered to it, in order; `onOffer` runs
// at each offer, to look at what else has happened by then.
class RecordingDialog : public VornPluginDialog
{
public:
    const char* getName() override { return "Recording Dialog"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return nullptr; }
    const char* getWindowTitle() override { return "Recording"; }
    int32_t getDockInfo(uint32_t) override { return 0; }
    bool activatePlugin(VornPluginBase* plugin) override
    {
        offered.push_back(plugin->getName());
        if (onOffer)
            onOffer();
        return false;
    }

    std::vector<std::string> offered;
    std::function<void()> onOffer;
};

// The creator of joints as a tool, recording what it is told: "accept <snap object>", the mouse
// as "x,y,z,flags" (flags in hex) and "deactivate". Its cursor is the x it is asked at.
class RecordingCreator : public VornPluginObjectCreator
{
public:
    const char* getName() override { return "Joint Creator"; }
    void about(PluginWindowHandle*) override {}
    const char* getObjectTypeName() override { return "Joint"; }
    int32_t getObjectTypeID() override { return 11; }
    platform::ToolbarButton* getButton() override { return &button; }
    bool createObject() override { return false; }
    void acceptSnapObject(VornPluginSnapObject* snap) override
    {
        calls.push_back(std::string("accept ") + snap->getName());
    }
    void onMouse(int32_t x, int32_t y, int32_t z, uint32_t flags) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "%d,%d,%d,%x", x, y, z, flags);
        calls.push_back(text);
    }
    void deactivate() override { calls.push_back("deactivate"); }
    platform::CursorHandle getCursor(MAI_View*, int32_t x, int32_t, uint32_t) override
    {
        return static_cast<platform::CursorHandle>(x);
    }

    std::vector<std::string> calls;
};

// A transform modifier named "Move" that records "activate <record>" and "deactivate". It edits
// the record it is given; asked for a new one (null), it answers `made` ("activate new").
class RecordingModifier : public VornPluginObjectModifier
{
public:
    const char* getName() override { return "Move"; }
    void about(PluginWindowHandle*) override {}
    platform::ToolbarButton* getButton() override { return &button; }
    VornModifier* activate(MAI_Doc*, VornModifier* record, uint32_t) override
    {
        calls.push_back("activate " + (record != nullptr ? std::string(record->name.getString()) : "new"));
        return record != nullptr ? record : made;
    }
    void deactivate(MAI_Doc*) override { calls.push_back("deactivate"); }
    const char* getToolCaption(int32_t) override { return "Move"; }
    void applyToBase(VornModifier*, VornModifiable*) override {}
    void applyToCurrent(VornModifier*, VornModifiable*) override {}
    void rebuildBase(VornModifier*) override {}
    void updateModifier(VornModifier*) override {}

    VornModifier* made = nullptr;
    std::vector<std::string> calls;
};

// One call of a menu item, as "execute" or "x,y,flags" (flags in hex).
class RecordingMenuItem : public VornPluginMenuItem
{
public:
    explicit RecordingMenuItem(std::string name = "Recorder", bool takesMouse = true)
        : name(std::move(name)), takesMouse(takesMouse)
    {
    }
    const char* getName() override { return name.c_str(); }
    void about(PluginWindowHandle*) override {}
    void execute(MAI_View*) override { calls.push_back("execute"); }
    void updateCommandUI(platform::CommandState*, MAI_View*) override {}
    void activate(bool active) override { calls.push_back(active ? "activate" : "deactivate"); }
    bool onMouse(MAI_View*, int32_t x, int32_t y, int32_t z, uint32_t flags) override
    {
        if (flags == 0x1000 && x == 0 && y == 0)
            return takesMouse;
        char text[64];
        std::snprintf(text, sizeof text, "%d,%d,%x", x, y, flags);
        calls.push_back(text);
        return true;
    }

    std::string name;
    bool takesMouse;
    std::vector<std::string> calls;
};

class FakeViewType : public VornPluginViewBase
{
public:
    const char* getName() override { return "Fake View"; }
    void about(PluginWindowHandle*) override {}
    PluginWindowRequest* getWindowRequest() override { return requestWindow(1); }
    ViewTypeInfo* getViewTypeInfo(MAI_View* view) override
    {
        return findOrMakeViewTypeInfo<ViewTypeInfo>(this, view, "FakeViewType::getViewTypeInfo");
    }
    void draw(platform::DeviceContext*, ViewTypeInfo*) override {}
    void onMouse(MAI_View*, int32_t, int32_t, uint32_t) override {}
};

// A draw object that records the mouse events it gets and tells when it is destroyed.
class RecordingDrawObject : public DrawObject
{
public:
    RecordingDrawObject(PluginDrawObject* plugin, ViewTypeInfo* owner, int* destroyed = nullptr)
        : DrawObject(plugin, owner), destroyed(destroyed)
    {
    }
    ~RecordingDrawObject() override
    {
        if (destroyed != nullptr)
            ++*destroyed;
    }
    bool onMouse(int32_t x, int32_t y, int32_t, uint32_t flags) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "%d,%d,%x", x, y, flags);
        calls.push_back(text);
        return true;
    }

    int* destroyed;
    std::vector<std::string> calls;
};

class FakeDrawObjectPlugin : public PluginDrawObject
{
public:
    const char* getTypeName() override { return "Fake Draw Object"; }
    const char* getName() override { return "Layer"; }
    void about(PluginWindowHandle*) override {}
    DrawObject* getDrawObject(ViewTypeInfo* owner) override { return new RecordingDrawObject(this, owner); }
    const char* getDisplayName() override { return "Layer"; }
};

// A window handle that only keeps a style word and counts redraws.
class FakeWindowHandle : public PluginWindowHandle
{
public:
    explicit FakeWindowHandle(uint32_t style = 0) : style(style) {}
    void attach(platform::Window*) override {}
    platform::Window* getWnd() override { return nullptr; }
    void getWindowRect(platform::Rect&) override {}
    void getClientRect(platform::Rect&) override {}
    bool moveWindow(const platform::Rect&, bool) override { return false; }
    uint32_t getStyle() override { return style; }
    bool isVisible() override { return (style & 0x10000000u) != 0; }
    void showWindow(int32_t) override {}
    bool modifyStyle(uint32_t remove, uint32_t add, uint32_t) override
    {
        style = (style & ~remove) | add;
        return true;
    }
    bool redraw(const platform::Rect*) override
    {
        ++redraws;
        return true;
    }

    uint32_t style;
    int redraws = 0;
};
