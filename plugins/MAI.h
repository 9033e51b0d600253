#pragma once

#include "Knots/knotList.h"
#include "VornData/VornDocument.h"
#include "VornData/VornDocumentHost.h"
#include "__globalobjectdevice/Notifier.h"
#include "plugins/AcceleratorTable.h"
#include "plugins/DocumentLock.h"
#include "plugins/PlatformTypes.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class MAI_Doc;
class MAI_View;
class PluginType;
class PluginWindowHandle;
class ViewTypeInfo;
class VornPluginBase;
class VornPluginCalculator;
class VornPluginMenuItem;
class VornPluginSnapObject;
class VornPluginViewBase;
class VornPluginWindowed;
struct PluginWindowRequest;

// The heads of the plugin lists of the host's plugin types; the registry fills them.
struct PluginLists
{
    VornPluginBase* dialogs = nullptr; // "Dialog"
    VornPluginBase* toolbars = nullptr; // "Toolbar"
    VornPluginBase* menuItems = nullptr; // "Standard MenuItem"
    VornPluginBase* fileImports = nullptr; // "File Import"
    VornPluginBase* fileExports = nullptr; // "File Export"
    VornPluginBase* objectTypes = nullptr; // "ObjectType"
    VornPluginBase* objectCreators = nullptr; // "Object Creator"
    VornPluginBase* shapes = nullptr; // "Shape"
    VornPluginBase* objectModifiers = nullptr; // "Object Modifier"
    VornPluginBase* calculators = nullptr; // "Calculator"
    VornPluginBase* viewTypes = nullptr; // "View Base"

    // Offers the plugin to every "Dialog" plugin in list order (VornPluginWindowed::activatePlugin);
    // all are asked whatever they answer.
    void activateInDialogs(VornPluginBase* plugin) const;
};

// Told of the colour the user chose in MAI::chooseColor.
class ColorChoiceListener
{
public:
    virtual void colorChosen(uint32_t* colour) = 0;

protected:
    ~ColorChoiceListener() = default;
};

// A node of MAI's chain of the plugin types whose plugins are menu items that may be bound.
struct MenuItemTypeNode
{
    PluginType* type;
    MenuItemTypeNode* next;
};

// The application interface: one per process, made by the host and handed to every plugin.
class MAI
{
public:
    MAI() = default;
    MAI(const MAI&) = delete;
    MAI& operator=(const MAI&) = delete;
    virtual ~MAI();

    // A new handle attached to the window, owned by the caller.
    virtual PluginWindowHandle* createWindowHandle(platform::Window* window) = 0;
    // Makes the plugin's window as a child of the parent; the handle is written through the
    // request's handle field and answered; null on failure.
    virtual PluginWindowHandle* createPluginWindow(PluginWindowRequest* request, PluginWindowHandle* parent) = 0;
    // The window of that dialog id from the plugin's own library; null when it has none.
    virtual PluginWindowHandle* requestPluginWindow(VornPluginWindowed* plugin, int32_t dialogId,
                                                    PluginWindowHandle* parent) = 0;
    // False when the main window has no menu.
    virtual bool addMenuItem(VornPluginMenuItem* item) = 0;
    virtual bool removeMenuItem(VornPluginMenuItem* item) = 0;
    virtual void redrawToolbars() = 0;
    // `type` and the answer have the system's message-box numbers; a null caption gives the
    // program's own.
    virtual int32_t messageBox(const char* text, const char* caption, uint32_t type) = 0;
    // Opens the colour dialog on the colour; on OK stores the chosen colour (0x00BBGGRR) and tells
    // the listener.
    virtual void chooseColor(uint32_t* colour, ColorChoiceListener* listener) = 0;
    // The folder that was current when the program started.
    virtual const char* getWorkingFolder() = 0;
    virtual void beep() = 0;
    virtual void postCommand(uint32_t commandId) = 0;

    // Snap objects with the same button text (compared without case) share the first one's master.
    // A snap object already in the chain stays where it is.
    void addSnapObject(VornPluginSnapObject* snapObject);
    void addMenuItemType(PluginType* type);

    // The notification channels of the process.
    NotifierRegistry notifierRegistry;
    PluginLists pluginLists;
    MAI_Doc* documents = nullptr; // the open documents, newest first
    MAI_Doc* activeDocument = nullptr;
    MAI_View* activeView = nullptr;
    MAI_View* hoveredView = nullptr; // the view under the mouse
    bool autoSelectModifier = false;
    bool displayModifierOptions = true;
    VornPluginSnapObject* snapObjects = nullptr;
    // Pixels within which snap objects take a point, and the step of a snap priority.
    float snapRadius = 20.0f;
    MenuItemTypeNode* menuItemTypes = nullptr;
    AcceleratorTable accelerators;
};

// The interface of one open document: it embeds the document and keeps its active tool, modifier
// and calculator.
class MAI_Doc : public VornDocumentHost
{
public:
    // With an application interface, the document joins the front of its chain of documents.
    explicit MAI_Doc(MAI* mai);
    MAI_Doc(const MAI_Doc&) = delete;
    MAI_Doc& operator=(const MAI_Doc&) = delete;
    virtual ~MAI_Doc();

    // Switches the active calculator, asking a running one to stop first.
    virtual void setActiveCalculator(VornPluginCalculator* calculator) = 0;
    virtual void invalidateViews() = 0;
    // The lock that every writer of the document's data takes, with a time-out.
    virtual DocumentLock* getLock() = 0;

    VornPluginMenuItem* getActiveMenuItem() const { return activeMenuItem; }
    // The modifier record being edited; null when none, also after the record left its list.
    VornModifier* getActiveModifier() override;
    // The plugin of the old record is told deactivate, the plugin of the new one activate.
    void setActiveModifier(VornModifier* modifier) override;
    VornPluginCalculator* getActiveCalculator() const { return activeCalculator; }
    uint8_t getEditState() const { return editState; }
    // The old tool is told activate(false), the new one activate(true); the edit state follows
    // the new tool's (0 without one). The same tool again changes nothing.
    void setActiveMenuItem(VornPluginMenuItem* item);
    // A change is sent as "CESCH".
    void setEditState(uint8_t value);
    // Lets every "ObjectType" plugin fill the new document with its defaults.
    void initDocument();
    // Whether the model was edited since the document was made or last exported. Every change
    // of the model taken under a DocumentChangeLock marks it; only a successful export clears it.
    bool hasUnexportedChanges() const { return unexportedChanges.load(); }
    void markModelEdited() { unexportedChanges.store(true); }
    void markExported() { unexportedChanges.store(false); }

    // The model of this document, which plugins read and change.
    VornDocument document;
    MAI_Doc* prevDocument = nullptr;
    MAI_Doc* nextDocument = nullptr;
    MAI_View* views = nullptr;
    MAI* mai = nullptr;
    bool historyEnabled = true;
    // The cross-section and material that new members receive, and the current force definition.
    knotReference creationCrossSection;
    knotReference creationMaterial;
    knotReference currentForceDefinition;

protected:
    VornPluginMenuItem* activeMenuItem = nullptr;
    // A reference, not a pointer: the record moves when its list closes a gap, and leaves it.
    knotReference activeModifier;
    VornPluginCalculator* activeCalculator = nullptr;
    uint8_t editState = 0;

private:
    std::atomic<bool> unexportedChanges{false};
};

// The interface of one view window: routes the view's input to the accelerator bindings, the
// shown view type's state and the document's active tool.
class MAI_View
{
public:
    // With a document, the view joins the front of the document's chain of views.
    explicit MAI_View(MAI_Doc* document);
    MAI_View(const MAI_View&) = delete;
    MAI_View& operator=(const MAI_View&) = delete;
    // Destroys the view's view-type states (and with them their draw objects). The host's part of
    // the view is gone by then, so a state's destructor must not call the view's operations.
    virtual ~MAI_View();

    virtual void invalidate(bool erase) = 0;
    virtual void getClientRect(platform::Rect& rect) = 0;
    // Tells the shown view type that the view is left for `next`.
    virtual void deactivate(MAI_View* next) = 0;
    // Tells the shown view type that the view became active after `previous`.
    virtual void activate(MAI_View* previous) = 0;
    virtual void setCapture(bool capture) = 0;
    virtual platform::DeviceContext* getDC() = 0;
    virtual void releaseDC(platform::DeviceContext* context) = 0;
    // The view's window (0 without one): what a view type draws into with GL and picks from,
    // also outside a paint.
    virtual platform::WindowHandle getWindowHandle() = 0;
    // Shows at once the cursor the view would ask for now, when the mouse is over the view: a
    // tool whose cursor changed without a mouse move asks for it. Views without a window of their
    // own have nothing to show.
    virtual void refreshCursor() {}

    // A mouse event in client coordinates with InputEvent flags.
    void onMouseEvent(int32_t x, int32_t y, uint32_t flags);
    // Shift or Ctrl went down or up (InputEvent::ShiftDown ... CtrlUp).
    void onKeyState(uint32_t code);
    // Null: the arrow.
    platform::CursorHandle getCursor(int32_t x, int32_t y, uint32_t flags);
    void mouseEnter(MAI_View* other);
    // The mouse moved on to `other` (null: out of every view).
    void mouseLeave(MAI_View* other);
    void onSize(int32_t width, int32_t height);
    // Puts the view's state of that view type in front; false when the view has none.
    bool findViewTypeInfo(VornPluginViewBase* viewType);

    MAI_View* prevView = nullptr;
    MAI_View* nextView = nullptr;
    MAI_Doc* document = nullptr;
    ViewTypeInfo* viewTypeInfos = nullptr; // the shown view type's state in front
    int32_t lastX = 0;
    int32_t lastY = 0;
    uint32_t lastFlags = 0;
    // The pending right or middle press: its position and flags (0 when none), whether the mouse
    // has moved since, and the bindings of the drag it may start.
    int32_t pressX = 0;
    int32_t pressY = 0;
    bool moved = false;
    uint32_t pressFlags = 0;
    AcceleratorBinding* pendingDrag = nullptr;
    uint8_t snapshotRequested = 0;

private:
    VornPluginMenuItem* activeTool() const;
    AcceleratorBinding* bindingsOf(uint32_t code) const;
    bool runCode(uint32_t code);
    bool beginPress(int32_t x, int32_t y, uint32_t flags, uint32_t downCode, uint32_t dragCode);
    bool endPress(int32_t x, int32_t y, uint32_t pressKind, uint32_t clickCode, uint32_t upCode);
    void clearPress();
    void endPressReleasedUnseen(int32_t x, int32_t y, uint32_t flags);
    void routeToHolderOrTool(int32_t x, int32_t y, uint32_t flags);
};
