#include "VornInterface/HostWindows.h"

#include "VornData/generalException.h"
#include "VornInterface/HostDialogCommands.h"
#include "VornInterface/HostMenus.h"
#include "VornInterface/Snapshots.h"
#include "VornInterface/InputCodes.h"
#include "VornInterface/MAI_Doc_VornInterface.h"
#include "VornInterface/MAI_View_VornInterface.h"
#include "VornInterface/PluginConfiguration.h"
#include "VornInterface/StandardToolbar.h"
#include "VornInterface/VornInterfaceApp.h"
#include "platform/Application.h"
#include "platform/Cursor.h"
#include "platform/DeviceContext.h"
#include "platform/Files.h"
#include "platform/PaintDC.h"
#include "platform/Services.h"
#include "platform/SystemValues.h"
#include "plugins/PluginManager.h"
#include "plugins/VornPluginDialog.h"
#include "plugins/VornPluginMenuItem.h"
#include "platform/Resources.h"
#include "platform/DialogTemplate.h"

#include <algorithm>
#include "plugins/VornPluginObjectType.h"
#include "plugins/VornPluginViewBase.h"

#include <cstring>

namespace
{

// The standard toolbar's window id is the command that shows and hides it.
constexpr int32_t standardToolbarId = HostCommand::StandardToolbar;

MAI_VornInterface& theMAI()
{
    return CVornInterfaceApp::instance()->mai();
}

// The first document window of the run builds the plugins' menu entries.
bool pluginMenusBuilt = false;
// The first paint of the run activates its view's view type once more.
bool firstPaintDone = false;

// Runs a plugin's command; what it throws is reported after ten beeps.
void runPluginCommand(VornPluginMenuItem& item, MAI_View* view)
{
    try
    {
        item.execute(view);
    }
    catch (...)
    {
        for (int beep = 0; beep < 10; ++beep)
            platform::messageBeep(platform::MB_OK);
        platform::reportCurrentException();
    }
}

std::string hotKeyTextOf(const VornPluginMenuItem& item)
{
    return std::string(item.hotKeyText, strnlen(item.hotKeyText, sizeof item.hotKeyText));
}

// Opens a help page of the working folder's "doc" folder.
void openHelpPage(const char* page)
{
    platform::openDocument(std::string(theMAI().getWorkingFolder()) + "/doc/" + page);
}

} // namespace

// ---- CVornInterfaceDoc ----

CVornInterfaceDoc::CVornInterfaceDoc() : interface_(std::make_unique<MAI_Doc_VornInterface>(&theMAI(), this))
{
    MAI& mai = theMAI();
    for (VornPluginBase* plugin = mai.pluginLists.objectCreators; plugin != nullptr; plugin = plugin->getNext())
        static_cast<VornPluginObjectType*>(plugin)->addBlockLists(interface_.get());
    for (VornPluginBase* plugin = mai.pluginLists.objectTypes; plugin != nullptr; plugin = plugin->getNext())
        static_cast<VornPluginObjectType*>(plugin)->addBlockLists(interface_.get());
}

CVornInterfaceDoc::~CVornInterfaceDoc() = default;

bool CVornInterfaceDoc::onNewDocument()
{
    // New documents are named after the program and numbered, "Quorl21", "Quorl22", ...
    static int newDocuments = 0;
    setTitle("Quorl2" + std::to_string(++newDocuments));
    interface_->document.reset();
    interface_->initDocument();
    return true;
}

bool CVornInterfaceDoc::canCloseFrame(platform::ChildFrame& frame)
{
    if (views().size() > 1)
        return true;
    auto* mainFrame = dynamic_cast<CMainFrame*>(frame.mainFrame());
    return mainFrame == nullptr || mainFrame->exportChangesBeforeClosing(*this);
}

// ---- CChildFrame ----

void CChildFrame::onMdiActivate(bool activate, platform::ChildFrame*, platform::ChildFrame*)
{
    if (!activate || pluginMenusBuilt)
        return;
    pluginMenusBuilt = true;
    MAI_VornInterface& mai = theMAI();
    for (VornPluginBase* head : {mai.pluginLists.menuItems, mai.pluginLists.toolbars})
    {
        for (VornPluginBase* plugin = head; plugin != nullptr; plugin = plugin->getNext())
        {
            auto* item = static_cast<VornPluginMenuItem*>(plugin);
            if (item->commandId == 0)
                item->commandId = mai.commandIds().allocate();
            mai.addMenuItem(item);
        }
    }
}

// ---- CVornInterfaceView ----

CVornInterfaceView::CVornInterfaceView()
{
    using namespace HostCommand;
    MAI_VornInterface& mai = theMAI();
    auto frame = [] { return static_cast<CMainFrame*>(platform::Application::instance()->mainWindow()); };
    onCommand(Import, [this, frame] { frame()->fileCommands().importFile(handle()); });
    onCommand(OpenAsImport, [this, frame] { frame()->fileCommands().importFile(handle()); });
    for (std::uint32_t id : {Export, SaveAsExport, SaveAsAsExport})
        onCommand(id, [this, frame] { frame()->fileCommands().exportFile(handle()); });
    onCommandRange(UpdateFifthSecond, UpdateEveryFifteenSeconds,
                   [frame](std::uint32_t id) { frame()->setUpdateRate(updatePeriodOf(id)); });
    for (std::uint32_t id = UpdateFifthSecond; id <= UpdateEveryFifteenSeconds; ++id)
        onUpdate(id, [frame](platform::CommandState& state) {
            state.SetRadio(updatePeriodOf(state.id()) == frame()->updateRate());
        });
    for (std::uint32_t id : {Plugins, Accelerators, ObjectHierarchy, SnapshotTarget, MakeSnapshot, AutoSnapshot})
        onCommand(id, [this, id] { runDialogCommand(id); });
    onUpdate(AutoSnapshot, [](platform::CommandState& state) {
        MAI_Doc* document = theMAI().activeDocument;
        state.SetCheck(
            isHostDialogCommandChecked(AutoSnapshot, document != nullptr ? &document->document : nullptr) ? 1 : 0);
    });
    onCommand(Print, [this] { printView(platform::PrintDialogKind::print); });
    onCommand(PrintPreview, [this] { printView(platform::PrintDialogKind::preview); });
    onCommand(Introduction, [] { openHelpPage("introduction.html"); });
    onCommand(HelpIndex, [] { openHelpPage("reference.html"); });
    onUpdate(ViewReadme, [](platform::CommandState& state) { state.Enable(false); });
    (void)mai;
}

CVornInterfaceView::~CVornInterfaceView()
{
    if (interface_)
        viewDestroyed(theMAI(), interface_.get());
}

void CVornInterfaceView::runDialogCommand(std::uint32_t id)
{
    MAI_VornInterface& mai = theMAI();
    HostDialogCommandContext context{mai, CVornInterfaceApp::instance()->registry(), this, mai.activeView,
                                     mai.activeDocument != nullptr ? &mai.activeDocument->document : nullptr};
    runHostDialogCommand(id, context);
}

void CVornInterfaceView::makeInterface()
{
    auto* owner = dynamic_cast<CVornInterfaceDoc*>(document());
    if (interface_ || owner == nullptr)
        return;
    interface_ = std::make_unique<MAI_View_VornInterface>(&owner->documentInterface(), this);
    if (VornPluginBase* viewType = theMAI().pluginLists.viewTypes)
        static_cast<VornPluginViewBase*>(viewType)->getViewTypeInfo(interface_.get());
    const platform::Rect client = clientRect();
    interface_->onSize(client.width(), client.height());
}

void CVornInterfaceView::onActivateView(bool activate, platform::View* activated, platform::View*)
{
    makeInterface();
    if (activate && interface_)
        viewActivated(theMAI(), interface_.get());
    else if (!activate && activated == nullptr)
        lastViewDeactivated(theMAI());
}

void CVornInterfaceView::draw(platform::DeviceContext& context)
{
    if (!interface_)
        return;
    try
    {
        if (!firstPaintDone)
        {
            firstPaintDone = true;
            interface_->deactivate(nullptr);
            interface_->activate(nullptr);
        }
        if (ViewTypeInfo* info = interface_->viewTypeInfos)
            info->viewTypePlugin->draw(&context, info);
    }
    catch (const generalException& exception)
    {
        platform::messageBox(handle(), exception.where, exception.message, platform::MB_OK);
    }
    catch (const std::exception& exception)
    {
        platform::messageBox(handle(), exception.what(), "Quorl2", platform::MB_OK);
    }
}

void CVornInterfaceView::printView(platform::PrintDialogKind kind)
{
    const platform::Rect client = clientRect();
    platform::PrintRequest request{handle(),
                                   kind,
                                   document() != nullptr ? document()->title() : "Quorl2",
                                   {client.width(), client.height()},
                                   handle()};
    platform::print(request, [this](platform::DeviceContext& page) { draw(page); });
}

void CVornInterfaceView::setCursorFromInterface()
{
    MAI& mai = theMAI();
    viewHovered(mai, interface_.get());
    const platform::Point point = screenToClient(platform::cursorPosition());
    platform::CursorHandle cursor = interface_->getCursor(point.x, point.y, 0);
    auto* shown = reinterpret_cast<platform::Cursor*>(static_cast<std::uintptr_t>(cursor));
    setWindowCursor(shown);
    platform::setCursor(shown);
}

platform::LResult CVornInterfaceView::windowProc(std::uint32_t message, platform::WParam wParam,
                                                 platform::LParam lParam)
{
    switch (message)
    {
    case platform::WM_PAINT: {
        {
            platform::PaintDC context(*this);
            draw(context);
        }
        if (interface_)
        {
            MAI& mai = theMAI();
            // The image just painted is the view's snapshot.
            Snapshots::instance().afterPaint(
                *interface_, mai.activeView == interface_.get(),
                mai.activeDocument != nullptr ? &mai.activeDocument->document : nullptr,
                [this] { return surface() != nullptr ? *surface() : platform::Surface(); }, handle());
        }
        return 0;
    }
    case platform::WM_ERASEBKGND:
        return 1; // the view type paints the whole client area
    case platform::WM_SIZE:
        if (interface_)
            interface_->onSize(static_cast<int32_t>(platform::lowWord(lParam)),
                               static_cast<int32_t>(platform::highWord(lParam)));
        break;
    case platform::WM_SETCURSOR:
        if (interface_)
        {
            setCursorFromInterface();
            return 1;
        }
        break;
    case platform::WM_MOUSELEAVE:
        // Wherever the mouse went (the console, a floating bar, another program), it is over no
        // view now; a view it enters says so itself.
        if (interface_ && theMAI().hoveredView == interface_.get())
            viewsLeft(theMAI());
        break;
    default:
        if (interface_ && routeViewInput(*interface_, theMAI(), message, wParam, lParam))
        {
            if (message == platform::WM_KEYDOWN || message == platform::WM_KEYUP || message == platform::WM_MOUSEWHEEL)
                break; // the framework's handling follows
            return 0;
        }
        break;
    }
    return platform::View::windowProc(message, wParam, lParam);
}

// ---- PluginCommandTarget ----

bool PluginCommandTarget::routeCommand(std::uint32_t id)
{
    MAI_VornInterface& mai = theMAI();
    VornPluginMenuItem* item = mai.findMenuItem(id);
    if (item == nullptr)
        return false;
    runPluginCommand(*item, mai.activeView);
    return true;
}

bool PluginCommandTarget::routeUpdate(platform::CommandState& state)
{
    MAI_VornInterface& mai = theMAI();
    VornPluginMenuItem* item = mai.findMenuItem(state.id());
    if (item == nullptr)
        return false;
    if (failedUpdates_.count(item) != 0)
        return true;
    item->hotKeyTextChanged = 0;
    const char* text = item->getMenuText();
    state.SetText(std::string(text != nullptr ? text : "") + "\t" + hotKeyTextOf(*item));
    try
    {
        item->updateCommandUI(&state, mai.activeView);
    }
    catch (...)
    {
        failedUpdates_.insert(item);
        platform::reportCurrentException();
    }
    return true;
}

// ---- CMainFrame ----

CMainFrame::CMainFrame()
    : standardImages_(platform::Size{16, 16}),
      buttonImages_(platform::Size{16, 16}),
      settings_("Quorl v2", "Quorl v2"),
      recentFiles_(&settings_),
      fileCommands_(theMAI(), &recentFiles_)
{
}

CMainFrame::~CMainFrame()
{
    if (updatePeriod_ != 0)
        killTimer(viewUpdateTimer);
    theMAI().setFrame(nullptr);
}

bool CMainFrame::create()
{
    noDocumentMenu_ = makeNoDocumentMenu();
    documentMenu_ = makeDocumentMenu();
    auto showRecent = [this] {
        showRecentFiles(*noDocumentMenu_, recentFiles_.paths());
        showRecentFiles(*documentMenu_, recentFiles_.paths());
    };
    showRecent();
    if (!createFrame("Quorl2 beta", noDocumentMenu_.get()))
        return false;
    template_ = std::make_unique<platform::DocTemplate>(
        documentMenu_.get(), ".qr2", [] { return std::make_unique<CVornInterfaceDoc>(); },
        [] { return std::make_unique<CChildFrame>(); }, [] { return std::make_unique<CVornInterfaceView>(); });
    addDocTemplate(template_.get());
    setWindowMenu(windowMenuOf(*documentMenu_));
    theMAI().setFrame(this);
    setPreRouteTarget(&pluginCommands_);
    setApplicationTarget(&applicationCommands_);
    addCommands();
    recentFiles_.setChangeListener([this, showRecent] {
        showRecent();
        redrawMenuBar();
    });
    setPromptProvider([](std::uint32_t id) { return hostCommandPrompt(id); });
    setTooltipProvider([](std::uint32_t id) -> std::string {
        MAI_VornInterface& mai = theMAI();
        VornPluginMenuItem* item = mai.commandIds().isHandedOut(id) ? mai.findMenuItem(id) : nullptr;
        const char* tip = item != nullptr ? item->getToolTipText() : nullptr;
        return tip != nullptr ? tip : "";
    });
    using platform::accelerator_flag::Alt;
    using platform::accelerator_flag::Control;
    using platform::accelerator_flag::Shift;
    using platform::accelerator_flag::VirtualKey;
    using namespace HostCommand;
    auto key = [](std::uint8_t modifiers, std::uint16_t key, std::uint32_t command) {
        return platform::Accelerator{static_cast<std::uint8_t>(VirtualKey | modifiers), key,
                                     static_cast<std::uint16_t>(command)};
    };
    setAccelerators({key(Control, 'N', FileNew), key(Control, 'O', FileOpen), key(Control, 'S', FileSave),
                     key(Control, 'P', Print), key(Control, 'Z', EditUndo), key(Alt, platform::VK_BACK, EditUndo),
                     key(Control, 'X', EditCut), key(Shift, platform::VK_DELETE, EditCut), key(Control, 'C', EditCopy),
                     key(Control, platform::VK_INSERT, EditCopy), key(Control, 'V', EditPaste),
                     key(Shift, platform::VK_INSERT, EditPaste), key(0, platform::VK_F1, ViewReadme)});
    if (!createStandardToolbar())
        return false;
    createPluginToolbars();
    createPluginDialogBars();
    recalcLayout();
    setUpdateRate(1000);
    return true;
}

void CMainFrame::addCommands()
{
    using namespace HostCommand;
    // Plugin ids without an item count as handled, so the framework does not disable them.
    onCommandRange(platform::kFirstPluginCommandId, platform::kLastPluginCommandId, [](std::uint32_t) {});
    onCommand(FileNew, [this] { newDocument(); });
    onCommand(PrintSetup, [this] { platform::print({handle(), platform::PrintDialogKind::setup, "", {}}, {}); });
    for (std::uint32_t id : {Plugins, About})
        onCommand(id, [this, id] {
            MAI_VornInterface& mai = theMAI();
            HostDialogCommandContext context{mai, CVornInterfaceApp::instance()->registry(), this, mai.activeView,
                                             mai.activeDocument != nullptr ? &mai.activeDocument->document : nullptr};
            runHostDialogCommand(id, context);
        });
    // Documents are not opened or saved as files: Open imports a model, Save exports it.
    onCommand(FileOpen, [this] {
        if (activeDocument() == nullptr && newDocument() == nullptr)
            return;
        fileCommands_.importFile(handle());
    });
    onCommandRange(RecentFile, RecentFile + RecentFileList::capacity - 1, [this](std::uint32_t id) {
        fileCommands_.importRecent(id - RecentFile, handle(),
                                   [this] { return activeDocument() != nullptr || newDocument() != nullptr; });
    });
    onUpdate(RecentFile, [this](platform::CommandState& state) { state.Enable(!recentFiles_.paths().empty()); });
    onCommand(FileSave, [this] {
        if (activeDocument() != nullptr)
            fileCommands_.exportFile(handle());
    });
    onCommand(Import, [this] {
        if (activeDocument() != nullptr)
            fileCommands_.importFile(handle());
    });
    onCommand(Export, [this] {
        if (activeDocument() != nullptr)
            fileCommands_.exportFile(handle());
    });
    for (std::uint32_t id : {Import, Export})
        onUpdate(id, [this](platform::CommandState& state) { state.Enable(activeDocument() != nullptr); });
    // Exit closes the frame the way its close box does.
    onCommand(Exit, [this] { postMessage(platform::WM_CLOSE); });
    onCommand(StandardToolbar, [this] { showToolbar(standardToolbar_, !isToolbarVisible(standardToolbar_)); });
    onUpdate(StandardToolbar,
             [this](platform::CommandState& state) { state.SetCheck(isToolbarVisible(standardToolbar_) ? 1 : 0); });
    onCommand(FileClose, [this] {
        if (platform::ChildFrame* child = activeChild())
            child->close();
    });
    onCommand(NewWindow, [this] {
        if (platform::Document* document = activeDocument())
            template_->createNewFrame(*document, *this);
    });
    onCommand(Cascade, [this] { cascade(); });
    onCommand(Tile, [this] { tile(); });
    onCommand(ArrangeIcons, [this] { arrangeIcons(); });
}

CVornInterfaceView* CMainFrame::newDocument()
{
    if (template_->openNewDocument(*this) == nullptr)
        return nullptr;
    return dynamic_cast<CVornInterfaceView*>(activeView());
}

bool CMainFrame::exportChangesBeforeClosing(CVornInterfaceDoc& document)
{
    MAI_Doc& model = document.documentInterface();
    // The question shows over the document's own window, and an export writes the active document.
    if (model.hasUnexportedChanges() && !document.views().empty())
        if (platform::ChildFrame* window = document.views().front()->frame())
            window->activate();
    return fileCommands_.exportChangesBeforeClosing(model, document.title(), handle());
}

bool CMainFrame::exportChangesOfEveryDocument()
{
    if (!template_)
        return true;
    // The active document is asked about first.
    std::vector<platform::Document*> documents = template_->documents();
    std::stable_partition(documents.begin(), documents.end(),
                          [this](platform::Document* document) { return document == activeDocument(); });
    for (platform::Document* document : documents)
    {
        auto* model = dynamic_cast<CVornInterfaceDoc*>(document);
        if (model != nullptr && !exportChangesBeforeClosing(*model))
            return false;
    }
    return true;
}

bool CMainFrame::createStandardToolbar()
{
    standardImages_.add(standardToolbarImageStrip(), platform::IMAGE_MASK_COLOUR);
    if (!standardToolbar_.create(platform::WS_VISIBLE, {0, 0, 100, 22}, this, standardToolbarId))
        return false;
    std::vector<platform::ToolbarButton> records;
    for (const StandardToolbarButton& button : standardToolbarButtons())
    {
        platform::ToolbarButton record;
        record.imageIndex = static_cast<std::int32_t>(records.size());
        record.commandId = static_cast<std::int32_t>(button.commandId);
        record.state = platform::TBSTATE_ENABLED;
        record.style = platform::TBSTYLE_BUTTON;
        records.push_back(record);
    }
    if (!standardToolbar_.loadToolBar(records, &standardImages_))
        return false;
    // The bar's borders inside its 2-pixel etched frame.
    constexpr int frame = 2;
    standardToolbar_.setBorders(frame + 2, frame + 2, frame + 2, frame + 1);
    standardToolbar_.setWindowText("Standard Toolbar");
    addToolbar(standardToolbar_, platform::CBRS_ALIGN_ANY);
    dockToolbar(standardToolbar_, platform::IDW_DOCKBAR_TOP);
    return true;
}

void CMainFrame::createPluginToolbars()
{
    MAI_VornInterface& mai = theMAI();
    for (VornPluginBase* plugin = mai.pluginLists.toolbars; plugin != nullptr; plugin = plugin->getNext())
    {
        auto* toolbarPlugin = static_cast<VornPluginToolbar*>(plugin);
        auto toolbar = std::make_unique<platform::Toolbar>();
        toolbar->create(platform::WS_VISIBLE, {0, 0, 24, 22}, this, standardToolbarId);
        toolbarPlugin->barHandle = new PluginWindowHandleImpl(toolbar.get());
        toolbar->setImageList(&buttonImages_);
        const char* text = toolbarPlugin->getButtonText();
        toolbar->setWindowText(text != nullptr ? text : "");
        addToolbar(*toolbar, static_cast<std::uint32_t>(toolbarPlugin->getDockAlignment()));
        // Without a dock bar the toolbar stays undocked where the frame put it.
        const auto dockBar = static_cast<std::uint32_t>(toolbarPlugin->getDockBarID());
        if (dockBar != 0)
            dockToolbar(*toolbar, dockBar);
        pluginToolbars_[toolbarPlugin] = std::move(toolbar);
    }
}

void CMainFrame::createPluginDialogBars()
{
    for (VornPluginBase* plugin = theMAI().pluginLists.dialogs; plugin != nullptr; plugin = plugin->getNext())
    {
        auto bar = std::make_unique<CPluginDialogBar>();
        if (bar->create(*this, *static_cast<VornPluginDialog*>(plugin)))
            dialogBars_.push_back(std::move(bar));
    }
}

// ---- CPluginDialogBar ----

namespace
{

// A size packed into one dock-info value: width in the low 16 bits, height in the high 16 bits.
platform::Size unpackSize(int32_t packed)
{
    const auto bits = static_cast<uint32_t>(packed);
    return {static_cast<int32_t>(bits & 0xFFFF), static_cast<int32_t>(bits >> 16)};
}

} // namespace

bool CPluginDialogBar::create(platform::MainFrame& frame, VornPluginDialog& plugin)
{
    using namespace DockInfo;
    const platform::Rect templateRect = platform::dialogUnitsToPixels({0, 0, 147, 422});
    const char* title = plugin.getWindowTitle();
    if (!platform::DialogBar::create("#32770", title != nullptr ? title : "", platform::WS_CHILD | platform::WS_VISIBLE,
                                     templateRect, &frame))
        return false;
    module_ = plugin.module;
    sizes_.modeFlags = plugin.getDockInfo(BarParameter);
    sizes_.minimum =
        plugin.getDockInfo(MinimumSize) != 0 ? unpackSize(plugin.getDockInfo(MinimumSize)) : platform::Size{200, 200};
    sizes_.maximum = plugin.getDockInfo(MaximumSize) != 0 ? unpackSize(plugin.getDockInfo(MaximumSize))
                                                          : platform::Size{32767, 32767};
    plugin.barHandle = new PluginWindowHandleImpl(this);
    PluginWindowHandle* window = theMAI().createPluginWindow(plugin.getWindowRequest(), plugin.barHandle);

    platform::Rect place{0, 0, templateRect.width(), templateRect.height()};
    if (window != nullptr)
        window->getClientRect(place);
    place.top += 2;
    place.bottom += 2;
    const int32_t titleBitmap = plugin.getDockInfo(TitleBitmap);
    if (titleBitmap == -1)
        titleStyle_ = 0;
    else if (titleBitmap == 0)
    {
        titleStyle_ = 2;
        place.left += 10;
        place.right += 10;
    }
    else
    {
        titleStyle_ = 0;
        titleBitmap_ = titleBitmap;
        place.left += 24;
        place.right += 24;
    }
    if (window != nullptr)
        window->moveWindow(place, true);

    platform::Size defaultSize{place.right + 2, place.bottom + 2};
    sizes_.docked =
        plugin.getDockInfo(HorizontalSize) != 0 ? unpackSize(plugin.getDockInfo(HorizontalSize)) : defaultSize;
    if (plugin.getDockInfo(FullHeight) != 0)
    {
        const int32_t height = platform::MainFrame::desktopWorkArea().bottom - 83;
        defaultSize.height = height;
        sizes_.docked.height = height;
    }
    sizes_.floating =
        plugin.getDockInfo(VerticalSize) != 0 ? unpackSize(plugin.getDockInfo(VerticalSize)) : defaultSize;
    sizes_.reference = sizes_.floating;
    setWindowText(title != nullptr ? title : "");

    const auto sides = static_cast<uint32_t>(plugin.getDockInfo(AllowedSides));
    frame.addDialogBar(*this, sides);
    const auto dockBar = static_cast<uint32_t>(plugin.getDockInfo(InitialDockBar));
    // A bar that may dock nowhere is neither docked nor floated.
    if (sides != 0 && dockBar != 0)
        frame.dockDialogBar(*this, dockBar);
    else if (sides != 0)
        frame.floatDialogBar(*this, platform::Point{300, 300});
    if (plugin.getDockInfo(StartHidden) != 0)
        frame.showDialogBar(*this, false);
    return true;
}

platform::Size CPluginDialogBar::calcDynamicLayout(std::int32_t length, std::uint32_t mode)
{
    // A docked bar asked to stretch takes the whole length, without the old beep.
    const platform::DialogBarLayout layout = platform::calcDialogBarLayout(sizes_, length, mode);
    if (layout.stretchChildren)
    {
        for (platform::Window* child : children())
        {
            const platform::Rect client = child->clientRect();
            const platform::Size size =
                platform::stretchedChildSize({client.width(), client.height()}, layout.stretchFrom, layout.stretchTo);
            child->setWindowPos(nullptr, 0, 0, size.width, size.height,
                                platform::SWP_NOMOVE | platform::SWP_NOZORDER | platform::SWP_NOACTIVATE);
        }
    }
    return layout.size;
}

platform::LResult CPluginDialogBar::windowProc(std::uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message != platform::WM_PAINT || (titleStyle_ == 0 && titleBitmap_ == 0))
        return platform::DialogBar::windowProc(message, wParam, lParam);
    platform::PaintDC context(*this);
    const platform::Rect client = clientRect();
    context.fillSolidRect(client, platform::getSysColor(platform::COLOR_BTNFACE));
    for (int groove = 0; groove < titleStyle_; ++groove)
    {
        platform::Rect strip{2 + 4 * groove, 2, 5 + 4 * groove, client.bottom - 1};
        context.drawEdge(strip, platform::EDGE_SUNKEN, platform::BF_RECT);
    }
    if (titleBitmap_ != 0)
    {
        const platform::BitmapResource* bitmap = nullptr;
        try
        {
            bitmap = platform::findBitmapResource(module_, titleBitmap_);
        }
        catch (const platform::ResourceError&)
        {
        }
        for (int32_t y = 0; bitmap != nullptr && y < std::min(bitmap->height, 15); ++y)
            for (int32_t x = 0; x < std::min(bitmap->width, 15); ++x)
                if (const platform::ColorRef pixel = bitmap->pixels[static_cast<size_t>(y) * bitmap->width + x];
                    pixel != platform::IMAGE_MASK_COLOUR)
                    context.setPixel(7 + x, 7 + y, pixel);
    }
    return 0;
}

void CMainFrame::setUpdateRate(int period)
{
    if (period == updatePeriod_ || period < 0)
        return;
    if (updatePeriod_ != 0)
        killTimer(viewUpdateTimer);
    updatePeriod_ = period;
    if (period != 0)
        setTimer(viewUpdateTimer, static_cast<std::uint32_t>(period));
}

platform::Menu* CMainFrame::currentMenu()
{
    // Plugin entries live in the document menu: the menu of every document window.
    return documentMenu_.get();
}

void CMainFrame::redrawMenuBar()
{
    drawMenuBar();
}

platform::Toolbar* CMainFrame::pluginToolbar(VornPluginToolbar* plugin)
{
    auto found = pluginToolbars_.find(plugin);
    return found != pluginToolbars_.end() ? found->second.get() : nullptr;
}

void CMainFrame::toolbarChanged(platform::Toolbar& toolbar)
{
    toolbar.autoSize();
    showToolbar(toolbar, true);
    recalcLayout();
}

void CMainFrame::redrawToolbars()
{
    recalcLayout();
    for (auto& [plugin, toolbar] : pluginToolbars_)
    {
        if (toolbarDockBar(*toolbar) == 0 && isToolbarVisible(*toolbar))
            toolbar->redrawWindow(nullptr, platform::RDW_INVALIDATE | platform::RDW_ERASE | platform::RDW_UPDATENOW);
    }
}

void CMainFrame::onClose()
{
    // Cancel keeps the program running with nothing stopped.
    if (!exportChangesOfEveryDocument())
        return;
    MAI_VornInterface& mai = theMAI();
    stopAllCalculations(mai);
    platform::setCurrentFolder(mai.getWorkingFolder());
    CVornInterfaceApp* application = CVornInterfaceApp::instance();
    const int cause = savePluginConfiguration(application->registry(), application->absentPluginEntries());
    if (cause != 0)
        platform::messageBox(handle(), "Could not save plugin settings\nErrorCode:" + std::to_string(cause),
                             "FileError", platform::MB_ICONEXCLAMATION);
    platform::MainFrame::onClose();
}

platform::LResult CMainFrame::windowProc(std::uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::WM_TIMER && wParam == viewUpdateTimer)
    {
        if (MAI_Doc* document = theMAI().activeDocument)
            document->invalidateViews();
        return 0;
    }
    if (message == platform::WM_SETCURSOR)
        viewsLeft(theMAI());
    return platform::MainFrame::windowProc(message, wParam, lParam);
}
