#include "VornInterface/HostMenus.h"

#include "VornInterface/RecentFileList.h"

#include "platform/Menu.h"

#include <utility>

using namespace HostCommand;

namespace
{

// The View menu's update-rate entries with their periods.
const std::pair<std::uint32_t, int> updateRates[] = {
    {UpdateNever, 0},          {UpdateTwentyFivePerSecond, 40}, {UpdateFifthSecond, 200},
    {UpdateEverySecond, 1000}, {UpdateEveryFiveSeconds, 5000},  {UpdateEveryFifteenSeconds, 15000},
};

void addToolbarToggles(platform::Menu& tools)
{
    platform::Menu* toolbars = tools.appendPopup("&Toolbars");
    toolbars->appendItem(StandardToolbar, "Standard &Toolbar");
    toolbars->appendItem(StatusBar, "&Status Bar");
}

// "&" in a file name is shown, not taken as the access key.
std::string withLiteralAmpersands(const std::string& text)
{
    std::string shown;
    for (char c : text)
        shown += c == '&' ? std::string("&&") : std::string(1, c);
    return shown;
}

} // namespace

std::unique_ptr<platform::Menu> makeNoDocumentMenu()
{
    auto bar = std::make_unique<platform::Menu>(platform::Menu::Kind::Bar);
    platform::Menu* file = bar->appendPopup("&File");
    file->appendItem(FileNew, "&New\tCtrl+N");
    file->appendItem(FileOpen, "&Open...\tCtrl+O");
    file->appendSeparator();
    file->appendItem(PrintSetup, "P&rint Setup...");
    file->appendSeparator();
    file->appendItem(RecentFile, "Recent File");
    file->appendSeparator();
    file->appendItem(Exit, "E&xit");
    platform::Menu* view = bar->appendPopup("&View");
    view->appendItem(Placeholder, "&Select");
    view->appendSeparator();
    bar->appendItem(Placeholder, "&Create");
    platform::Menu* tools = bar->appendPopup("&Tools");
    addToolbarToggles(*tools);
    tools->appendItem(Plugins, "&Plugins...");
    platform::Menu* help = bar->appendPopup("&Help");
    help->appendItem(About, "&About VornInterface...");
    return bar;
}

platform::Menu* windowMenuOf(platform::Menu& documentBar)
{
    for (int position = documentBar.entryCount() - 1; position >= 0; --position)
        if (documentBar.entryText(position) == "&Window")
            return documentBar.submenu(position);
    return nullptr;
}

void showRecentFiles(platform::Menu& bar, const std::vector<std::string>& paths)
{
    platform::Menu* file = bar.submenu(0);
    const int first = file != nullptr ? file->findCommand(RecentFile) : -1;
    if (first < 0)
        return;
    auto isRecentEntry = [file](int position) {
        const std::uint32_t id = file->commandId(position);
        return id >= RecentFile && id < RecentFile + RecentFileList::capacity;
    };
    while (first < file->entryCount() && isRecentEntry(first))
        file->removeEntry(first);
    if (paths.empty())
        file->insertItem(first, RecentFile, "Recent File");
    for (std::size_t index = 0; index < paths.size() && index < RecentFileList::capacity; ++index)
        file->insertItem(first + static_cast<int>(index), RecentFile + static_cast<std::uint32_t>(index),
                         "&" + std::to_string(index + 1) + " " + withLiteralAmpersands(paths[index]));
}

std::unique_ptr<platform::Menu> makeDocumentMenu()
{
    auto bar = std::make_unique<platform::Menu>(platform::Menu::Kind::Bar);
    platform::Menu* file = bar->appendPopup("&File");
    file->appendItem(FileNew, "&New\tCtrl+N");
    file->appendItem(OpenAsImport, "&Open...\tCtrl+O");
    file->appendItem(FileClose, "&Close");
    file->appendItem(SaveAsExport, "&Save\tCtrl+S");
    file->appendItem(SaveAsAsExport, "Save &As...");
    file->appendSeparator();
    file->appendItem(Import, "&Import...");
    file->appendItem(Export, "&Export...");
    file->appendSeparator();
    file->appendItem(Print, "&Print...\tCtrl+P");
    file->appendItem(PrintPreview, "Print Pre&view");
    file->appendItem(PrintSetup, "P&rint Setup...");
    file->appendSeparator();
    platform::Menu* setup = file->appendPopup("Set&up");
    setup->appendItem(Plugins, "Plugins...");
    setup->appendItem(Accelerators, "Accelerators...");
    setup->appendItem(ObjectHierarchy, "Object &Hierarchy...");
    setup->appendSeparator();
    platform::Menu* snapshots = setup->appendPopup("Snapshots");
    snapshots->appendItem(SnapshotTarget, "&Target File...");
    snapshots->appendItem(AutoSnapshot, "&Auto Snapshot");
    snapshots->appendSeparator();
    snapshots->appendItem(MakeSnapshot, "Make SnapShot");
    file->appendSeparator();
    file->appendItem(RecentFile, "Recent File");
    file->appendSeparator();
    file->appendItem(Exit, "E&xit");

    platform::Menu* edit = bar->appendPopup("&Edit");
    edit->appendItem(EditUndo, "&Undo\tCtrl+Z");
    edit->appendSeparator();
    edit->appendItem(EditCut, "Cu&t\tCtrl+X");
    edit->appendItem(EditCopy, "&Copy\tCtrl+C");
    edit->appendItem(EditPaste, "&Paste\tCtrl+V");
    edit->appendSeparator();

    platform::Menu* create = bar->appendPopup("&Create");
    create->appendItem(Placeholder, "&Options");
    create->appendSeparator();
    platform::Menu* modify = bar->appendPopup("&Modify");
    modify->appendItem(Placeholder, "&History");
    modify->appendSeparator();
    platform::Menu* tools = bar->appendPopup("&Tools");
    addToolbarToggles(*tools);
    tools->submenu(0)->appendSeparator();

    platform::Menu* view = bar->appendPopup("&View");
    view->appendItem(Placeholder, "&Select type");
    view->appendSeparator();
    platform::Menu* settings = view->appendPopup("S&ettings");
    platform::Menu* update = settings->appendPopup("&Update");
    update->appendItem(UpdateNever, "&Never Automatically");
    update->appendItem(UpdateTwentyFivePerSecond, "Every 0.0&4 Second");
    update->appendItem(UpdateFifthSecond, "Every 0.&20 Second");
    update->appendItem(UpdateEverySecond, "Every &Second");
    update->appendItem(UpdateEveryFiveSeconds, "Every &5th Second");
    update->appendItem(UpdateEveryFifteenSeconds, "Every &15th Second");
    update->appendSeparator();
    view->appendSeparator();

    platform::Menu* calculate = bar->appendPopup("C&alculate");
    calculate->appendItem(Placeholder, "&Method");
    calculate->appendSeparator();

    platform::Menu* window = bar->appendPopup("&Window");
    window->appendItem(NewWindow, "&New Window");
    window->appendItem(Cascade, "&Cascade");
    window->appendItem(Tile, "&Tile");
    window->appendItem(ArrangeIcons, "&Arrange Icons");

    platform::Menu* help = bar->appendPopup("&Help");
    help->appendItem(Introduction, "Intro&duction");
    help->appendItem(HelpIndex, "&Index");
    help->appendItem(SearchHelp, "&Search");
    help->appendItem(ViewReadme, "View &Readme");
    help->appendSeparator();
    help->appendItem(About, "&About Quorl2...");
    return bar;
}

std::string hostCommandPrompt(std::uint32_t id)
{
    switch (id)
    {
    case Plugins:
        return "View and setup the plugins";
    case Accelerators:
        return "Setup input devices";
    case ObjectHierarchy:
        return "View the Datamodel's Object Hierarchy";
    case ViewReadme:
        return "View the Readme-file; general remarks about this application.\nView the Readme-file";
    case SearchHelp:
        return "Search the Help-files for specific terms or topics.\nSearch the Help-files";
    case Introduction:
        return "Open the introduction into Quorl2";
    case ViewSettings:
        return "Change the settings of the view";
    case UpdateRate:
        return "Change the way the view is updated";
    case UpdateFifthSecond:
        return "Update 5 times a second";
    case UpdateEverySecond:
        return "Update Every Second";
    case UpdateEveryFiveSeconds:
        return "Update every 5th seconds";
    case UpdateNever:
        return "Don't update the views automaticly";
    case UpdateTwentyFivePerSecond:
        return "Update 25 times a second";
    case UpdateEveryFifteenSeconds:
        return "Update every 15th second";
    case MakeSnapshot:
        return "Make Single Snapshot";
    case SnapshotTarget:
        return "Select name of the Snapshot files";
    case AutoSnapshot:
        return "Automatically create snapshots";
    case HelpIndex:
        return "Open the index of the Help-files\nOpen the index";
    case FileNew:
        return "Create a new document\nNew";
    case Import:
        return "Read a model from a file\nImport";
    case Export:
        return "Write the model to a file\nExport";
    case Print:
        return "Print the active view\nPrint";
    case About:
        return "Show the program's version\nAbout";
    default:
        return {};
    }
}

int updatePeriodOf(std::uint32_t id)
{
    for (const auto& [command, period] : updateRates)
        if (command == id)
            return period;
    return -1;
}
