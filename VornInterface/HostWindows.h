#pragma once

#include "VornInterface/FileCommands.h"
#include "VornInterface/RecentFileList.h"
#include "VornInterface/SmallControls.h"
#include "platform/Settings.h"
#include "VornInterface/HostFrame.h"
#include "platform/CommandRouting.h"
#include "platform/DialogBar.h"
#include "platform/DialogBarLayout.h"
#include "platform/MainFrame.h"
#include "platform/ImageList.h"
#include "platform/Menu.h"
#include "platform/Printing.h"
#include "platform/Toolbar.h"

#include <functional>
#include <map>
#include <memory>
#include <set>

class CVornInterfaceApp;
class MAI_Doc_VornInterface;
class MAI_View_VornInterface;
class VornPluginDialog;
class VornPluginMenuItem;

// The docking bar of one "Dialog" plugin: it carries the plugin's window and answers the frame's
// layout queries with its docked and floating sizes.
class CPluginDialogBar : public platform::DialogBar
{
public:
    // Makes the bar as a child of the frame and the plugin's window inside it.
    bool create(platform::MainFrame& frame, VornPluginDialog& plugin);

    platform::Size calcDynamicLayout(std::int32_t length, std::uint32_t mode) override;

protected:
    platform::LResult windowProc(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    platform::DialogBarSizes sizes_;
    int titleStyle_ = 2; // 2: a gripper at the left edge, 0: none
    int titleBitmap_ = 0;
    platform::ModuleHandle module_ = platform::ModuleHandle::None;
};

// One open model: a framework document that owns the document interface and with it the model.
class CVornInterfaceDoc : public platform::Document
{
public:
    // Makes the document interface and lets the creators and object types add their lists.
    CVornInterfaceDoc();
    // The calculation of the document stops before its model goes.
    ~CVornInterfaceDoc() override;

    // Empties the model (root group "__WORLD") and lets the plugins fill it with their defaults.
    bool onNewDocument() override;
    // The last window of an edited model closes only once the user has exported the changes or
    // let them go.
    bool canCloseFrame(platform::ChildFrame& frame) override;

    MAI_Doc_VornInterface& documentInterface() { return *interface_; }

private:
    std::unique_ptr<MAI_Doc_VornInterface> interface_;
};

// A document window. Its first activation in a run builds the plugins' entries of the menus.
class CChildFrame : public platform::ChildFrame
{
public:
    void onMdiActivate(bool activate, platform::ChildFrame* activated, platform::ChildFrame* deactivated) override;
};

// A document's view: it paints through the shown view type and hands mouse and keys to its view
// interface.
class CVornInterfaceView : public platform::View
{
public:
    CVornInterfaceView();
    ~CVornInterfaceView() override;

    void onActivateView(bool activate, platform::View* activated, platform::View* deactivated) override;
    // Paints through the shown view type (also for printing).
    void draw(platform::DeviceContext& context);
    // Prints the view through `draw`, scaled to the page, after the print dialog or in the
    // preview (`kind`). The page names the view's window, so a GL view type puts its rendered
    // frame there. Printing never takes a snapshot.
    void printView(platform::PrintDialogKind kind);

    MAI_View_VornInterface* viewInterface() const { return interface_.get(); }

protected:
    platform::LResult windowProc(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    void makeInterface();
    void setCursorFromInterface();
    void runDialogCommand(std::uint32_t id);

    std::unique_ptr<MAI_View_VornInterface> interface_;
};

// Looks up plugin menu items by command id for the frame's command routing: runs them and asks
// them for their menu entry's and button's state.
class PluginCommandTarget : public platform::CommandTarget
{
public:
    bool routeCommand(std::uint32_t id) override;
    bool routeUpdate(platform::CommandState& state) override;

private:
    // Items whose update handler threw: reported once, then left alone.
    std::set<VornPluginMenuItem*> failedUpdates_;
};

// The main window: menus, the standard toolbar, the plugins' toolbars and docking bars, the
// command routing to plugins, the view-update timer, and the plugin configuration at close.
class CMainFrame : public platform::MainFrame, public HostFrame
{
public:
    CMainFrame();
    ~CMainFrame() override;

    // Makes the frame with its menus, bars and document template.
    bool create();

    // The period of the view-update timer in milliseconds (0: no timer).
    void setUpdateRate(int period);
    int updateRate() const { return updatePeriod_; }

    // HostFrame
    platform::Menu* currentMenu() override;
    void redrawMenuBar() override;
    platform::Toolbar* pluginToolbar(VornPluginToolbar* plugin) override;
    platform::ImageList& buttonImages() override { return buttonImages_; }
    void toolbarChanged(platform::Toolbar& toolbar) override;
    void redrawToolbars() override;
    platform::Window* window() override { return this; }

    platform::DocTemplate& docTemplate() { return *template_; }
    FileCommands& fileCommands() { return fileCommands_; }
    // Makes a new document window; the new document's view, or null.
    CVornInterfaceView* newDocument();
    // Offers the document's edited model for export before it closes; false when the user keeps
    // it open.
    bool exportChangesBeforeClosing(CVornInterfaceDoc& document);

protected:
    void onClose() override;
    platform::LResult windowProc(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    // Offers every edited model for export before the program ends; false when the user keeps
    // one open.
    bool exportChangesOfEveryDocument();
    bool createStandardToolbar();
    void createPluginToolbars();
    void createPluginDialogBars();
    void addCommands();

    std::unique_ptr<platform::Menu> noDocumentMenu_;
    std::unique_ptr<platform::Menu> documentMenu_;
    std::unique_ptr<platform::DocTemplate> template_;
    platform::ImageList standardImages_;
    CFlatToolBar standardToolbar_;
    platform::ImageList buttonImages_;
    std::map<VornPluginToolbar*, std::unique_ptr<platform::Toolbar>> pluginToolbars_;
    std::vector<std::unique_ptr<CPluginDialogBar>> dialogBars_;
    PluginCommandTarget pluginCommands_;
    platform::CommandTarget applicationCommands_;
    platform::Settings settings_;
    RecentFileList recentFiles_;
    FileCommands fileCommands_;
    int updatePeriod_ = 0;
};

inline constexpr std::uint32_t viewUpdateTimer = 31171;
