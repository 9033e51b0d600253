#pragma once

#include "platform/ChildFrame.h"
#include "platform/CommandRouting.h"
#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/Geometry.h"
#include "platform/Keyboard.h"
#include "platform/PlatformApi.h"
#include "platform/SystemValues.h"
#include "platform/View.h"
#include "platform/Window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class DialogBar;
class Menu;
class Toolbar;

// One entry of a frame's accelerator table, as the system's tables hold them.
struct Accelerator
{
    std::uint8_t flags = 0; // FVIRTKEY 0x01, FSHIFT 0x04, FCONTROL 0x08, FALT 0x10
    std::uint16_t key = 0; // a virtual-key code
    std::uint16_t command = 0;
};
namespace accelerator_flag
{
constexpr std::uint8_t VirtualKey = 0x01;
constexpr std::uint8_t Shift = 0x04;
constexpr std::uint8_t Control = 0x08;
constexpr std::uint8_t Alt = 0x10;
} // namespace accelerator_flag

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
    // Showing or hiding a bar also shows or hides its window, so that the bar's window and the
    // windows inside it answer isVisible() as the user sees them.
    void showToolbar(Toolbar& toolbar, bool show);
    void showDialogBar(DialogBar& bar, bool show);
    // Either kind of bar of this frame; false for a window that is no bar of it.
    bool showControlBar(Window& bar, bool show);
    bool isToolbarVisible(Toolbar& toolbar) const;
    bool isDialogBarVisible(DialogBar& bar) const;
    // The frame a window lives in: the nearest main frame among the window and its ancestors.
    static MainFrame* frameOf(Window& window);
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
