#pragma once

#include "platform/Keyboard.h"
#include "platform/CommandRouting.h"
#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class ChildFrame;
class DocTemplate;
class Document;
class MainFrame;
class Menu;
class Toolbar;
class View;
class DialogBar;
class GlSurface;
class Surface;

// One entry of a frame's accelerator table, as the system's tables hold them.
struct Accelerator
{
    std::uint8_t flags = 0; // FVIRTKEY 0x01, FSHIFT 0x04, FCONTROL 0x08, FALT 0x10
    std::uint16_t key = 0;  // a virtual-key code
    std::uint16_t command = 0;
};
namespace accelerator_flag
{
constexpr std::uint8_t VirtualKey = 0x01;
constexpr std::uint8_t Shift = 0x04;
constexpr std::uint8_t Control = 0x08;
constexpr std::uint8_t Alt = 0x10;
} // namespace accelerator_flag

// A document: the data that one or more views show. It lives as long as it has views and is
// never asked to save (nothing marks it modified).
class PLATFORM_API Document : public CommandTarget
{
public:
    Document();
    ~Document() override;

    const std::string& title() const { return title_; }
    void setTitle(const std::string& title);
    const std::vector<View*>& views() const { return views_; }
    DocTemplate* docTemplate() const { return template_; }

    // Called once after construction, before the first view exists; false abandons the document.
    virtual bool onNewDocument() { return true; }
    // Called when the document closes (its last view went, or the frame closes every document).
    virtual void onCloseDocument() {}
    // Asked before a frame of this document closes; false keeps it open.
    virtual bool canCloseFrame(ChildFrame& frame) { return true; }
    // Repaints every view but `sender`.
    void updateAllViews(View* sender);

private:
    friend class DocTemplate;
    friend class MainFrame;
    friend class View;
    std::string title_;
    std::vector<View*> views_;
    DocTemplate* template_ = nullptr;
};

// A view: the window inside a child frame that shows a document. It receives the window messages
// of a painted window (paint, size, mouse with its flags, wheel, keys, set-cursor, focus, timers)
// through windowProc, and can capture the mouse.
class PLATFORM_API View : public Window, public CommandTarget
{
public:
    // The window class of views: double clicks, no background erase.
    static constexpr const char* kClassName = "VornView";

    View();
    ~View() override;

    Document* document() const { return document_; }
    ChildFrame* frame() const { return frame_; }

    // After the view is made and attached to its document.
    virtual void onInitialUpdate() {}
    // Activation: the view being activated and the one being deactivated (either may be null;
    // when the last document window goes, the last view hears deactivate with no successor).
    virtual void onActivateView(bool activate, View* activated, View* deactivated) {}

    // The view's drawing as an image, for snapshots: what the view paints, not what lies on
    // the screen over it. False when the view has no window.
    bool renderToImage(Surface& image);

    // The view's GL surface, made at the first call and kept at the client size: draw between
    // its makeCurrent() and swapBuffers(); the swap puts the frame into the view's window.
    GlSurface& glSurface();
    // Drops the GL surface with its context and display lists (the view leaves GL drawing).
    void releaseGlSurface();

private:
    friend class DocTemplate;
    friend class ChildFrame;
    friend class MainFrame;
    Document* document_ = nullptr;
    ChildFrame* frame_ = nullptr;
    std::unique_ptr<GlSurface> gl_;
};

// The window of one document view inside the main frame's client area.
class PLATFORM_API ChildFrame : public Window, public CommandTarget
{
public:
    ChildFrame();
    ~ChildFrame() override;

    MainFrame* mainFrame() const { return main_; }
    Document* document() const;
    View* view() const { return view_.get(); }

    // The frame's activation: the frame activated and the one deactivated (null when none).
    // Called before the views hear of it.
    virtual void onMdiActivate(bool activate, ChildFrame* activated, ChildFrame* deactivated) {}

    // Makes this the active child frame.
    void activate();
    void setTitle(const std::string& title);
    std::string title() const;
    // Closes the frame unless its document vetoes.
    bool close();

protected:
    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override;
    void postNcDestroy() override;

private:
    friend class DocTemplate;
    friend class MainFrame;
    MainFrame* main_ = nullptr;
    std::unique_ptr<View> view_;
};

// Binds a document class, a child frame class and a view class to the document menu. New makes a
// document with its frame and view; New Window another frame and view on the active document.
class PLATFORM_API DocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using FrameFactory = std::function<std::unique_ptr<ChildFrame>()>;
    using ViewFactory = std::function<std::unique_ptr<View>()>;

    DocTemplate(Menu* documentMenu, std::string extension, DocumentFactory makeDocument, FrameFactory makeFrame,
                ViewFactory makeView);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    Menu* documentMenu() const { return menu_; }
    const std::string& extension() const { return extension_; }
    std::vector<Document*> documents() const;

    // New: the document (onNewDocument), its frame and view, the initial update, activation.
    // Null when the document refused or a window could not be made.
    Document* openNewDocument(MainFrame& frame);
    // Another frame and view on `document`, activated.
    ChildFrame* createNewFrame(Document& document, MainFrame& frame);
    // Closes every frame of every document without asking.
    void closeAllDocuments();

private:
    friend class MainFrame;
    friend class ChildFrame;
    void viewGone(View& view);

    Menu* menu_;
    std::string extension_;
    DocumentFactory makeDocument_;
    FrameFactory makeFrame_;
    ViewFactory makeView_;
    std::vector<std::unique_ptr<Document>> documents_;
};

// The application's main window: an MDI frame with a menu bar, a status bar, control bars docked
// on its four sides or floating, and child frames in its client area.
class PLATFORM_API MainFrame : public Window, public CommandTarget
{
public:
    MainFrame();
    ~MainFrame() override;

    // Makes the frame window with its title and the menu for no document. It covers the screen's
    // available area (shown maximised once show() is called). While a document is active the
    // title reads "<title> - <document title>".
    bool createFrame(const std::string& title, Menu* noDocumentMenu);
    void show();

    void addDocTemplate(DocTemplate* docTemplate);
    const std::vector<DocTemplate*>& docTemplates() const { return templates_; }

    std::vector<ChildFrame*> childFrames() const;
    ChildFrame* activeChild() const;
    View* activeView() const;
    Document* activeDocument() const;
    void cascade();
    void tile();
    // Minimised children line up along the bottom of the client area, left to right, in rows
    // upwards when one row is not enough.
    void arrangeIcons();
    // The popup that lists the child windows below a separator ("1 Untitled1", ...; the active
    // one checked); choosing an entry activates that child. The frame keeps the list up to date.
    void setWindowMenu(Menu* popup);
    // The command id of the first child window's entry.
    static constexpr std::uint32_t kFirstChildWindowCommand = 0xFF00;

    // The menu bar now: the active document's menu, or the one for no document.
    Menu* currentMenu() const;
    // Redraws the menu bar after its entries changed.
    void drawMenuBar();

    // Commands go first to the pre-route target (the host's plugin lookup), then the active view,
    // its document, its child frame, this frame and the application target.
    void setPreRouteTarget(CommandTarget* target) { preRoute_ = target; }
    void setApplicationTarget(CommandTarget* target) { application_ = target; }
    const CommandRouter& commandRouter() const { return router_; }
    bool executeCommand(std::uint32_t id);

    // Keys translated for every window inside the frame; editing keys still reach a focused edit.
    void setAccelerators(std::vector<Accelerator> accelerators);

    // Status bar: the message pane and the prompt of the command under the mouse. The provider
    // answers the command's prompt string ("prompt\ntooltip"); the part before "\n" is shown.
    void setMessageText(const std::string& text);
    std::string messageText() const;
    void setPromptProvider(std::function<std::string(std::uint32_t id)> provider);
    // The tooltip of a command: the part after "\n" of its prompt, unless a tooltip provider
    // answers first (plugins' buttons).
    void setTooltipProvider(std::function<std::string(std::uint32_t id)> provider);
    std::string tooltipText(std::uint32_t id) const;
    std::string promptText(std::uint32_t id) const;
    // The status bar, shown or hidden (ID_VIEW_STATUS_BAR toggles it and is checked while shown).
    void showStatusBar(bool show);
    bool isStatusBarVisible() const;
    // Whether an indicator pane ("CAP", "NUM", "SCRL") shows its lock key on. The panes follow
    // the lock keys' lights at every idle update; the reader is replaceable for tests.
    bool isIndicatorOn(const std::string& pane) const;
    void setLockKeyReader(std::function<LockKeyLights()> reader);

    // Control bars, made as children of this frame. A bar may dock on `allowedSides` (CBRS_ALIGN_
    // bits); docking puts it at dock bar `dockBarId` (IDW_DOCKBAR_TOP: in the row of the bars
    // already there); floating puts it at a screen point with its window text as caption. The
    // buttons of a toolbar send their commands to this frame.
    void addToolbar(Toolbar& toolbar, std::uint32_t allowedSides);
    void addDialogBar(DialogBar& bar, std::uint32_t allowedSides);
    void dockToolbar(Toolbar& toolbar, std::uint32_t dockBarId);
    void dockDialogBar(DialogBar& bar, std::uint32_t dockBarId);
    void floatToolbar(Toolbar& toolbar, Point screenPoint);
    void floatDialogBar(DialogBar& bar, Point screenPoint);
    void showToolbar(Toolbar& toolbar, bool show);
    void showDialogBar(DialogBar& bar, bool show);
    bool isToolbarVisible(Toolbar& toolbar) const;
    bool isDialogBarVisible(DialogBar& bar) const;
    // A bar neither docked nor floated stays fixed where the frame put it (the top for toolbars,
    // the right for dialog bars): it cannot be dragged and sits at no dock bar.
    bool isBarFloating(Window& bar) const;
    // The dock bar a toolbar sits at now (0 when floating, hidden or never docked).
    std::uint32_t toolbarDockBar(Toolbar& toolbar) const;
    void recalcLayout();

    // The idle update: toolbar buttons through the command routing.
    void onIdleUpdate();

    // The desktop's work area (the screen without panels), in screen coordinates.
    static Rect desktopWorkArea();

    struct State;
    State& frameState() const { return *state_; }

protected:
    // The user or the program closes the frame: closes every document, destroys the frame.
    virtual void onClose();
    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override;
    bool preTranslateMessage(Message& message) override;

private:
    friend class ChildFrame;
    friend class DocTemplate;
    ChildFrame* addChildFrame(std::unique_ptr<ChildFrame> frame, std::unique_ptr<View> view, Document& document);
    void childFrameGone(ChildFrame& frame);
    void releaseChildFrame(ChildFrame* frame);
    void activationChanged(ChildFrame* activated);

    std::unique_ptr<State> state_;
    std::vector<DocTemplate*> templates_;
    CommandTarget* preRoute_ = nullptr;
    CommandTarget* application_ = nullptr;
    CommandRouter router_;
};

} // namespace platform
