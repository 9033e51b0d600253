#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform
{
class Menu;
}

// The host's own command ids.
namespace HostCommand
{
constexpr std::uint32_t Plugins = 32771;
constexpr std::uint32_t Accelerators = 32775;
constexpr std::uint32_t ObjectHierarchy = 32776;
constexpr std::uint32_t Import = 32777;
constexpr std::uint32_t Export = 32778;
constexpr std::uint32_t ViewReadme = 32780;
constexpr std::uint32_t SearchHelp = 32781;
constexpr std::uint32_t Introduction = 32782;
constexpr std::uint32_t UpdateFifthSecond = 32785;
constexpr std::uint32_t UpdateEverySecond = 32786;
constexpr std::uint32_t UpdateEveryFiveSeconds = 32787;
constexpr std::uint32_t UpdateNever = 32788;
constexpr std::uint32_t UpdateTwentyFivePerSecond = 32789;
constexpr std::uint32_t UpdateEveryFifteenSeconds = 32790;
constexpr std::uint32_t MakeSnapshot = 32791;
constexpr std::uint32_t SnapshotTarget = 32792;
constexpr std::uint32_t AutoSnapshot = 32793;
constexpr std::uint32_t OpenAsImport = 32794;
constexpr std::uint32_t SaveAsExport = 32795;
constexpr std::uint32_t SaveAsAsExport = 32796;

constexpr std::uint32_t FileNew = 57600;
constexpr std::uint32_t FileOpen = 57601;
constexpr std::uint32_t FileClose = 57602;
constexpr std::uint32_t FileSave = 57603;
constexpr std::uint32_t PrintSetup = 57606;
constexpr std::uint32_t Print = 57607;
constexpr std::uint32_t PrintDirect = 57608;
constexpr std::uint32_t PrintPreview = 57609;
constexpr std::uint32_t RecentFile = 57616;
constexpr std::uint32_t EditCopy = 57634;
constexpr std::uint32_t EditCut = 57635;
constexpr std::uint32_t EditPaste = 57637;
constexpr std::uint32_t EditUndo = 57643;
constexpr std::uint32_t NewWindow = 57648;
constexpr std::uint32_t ArrangeIcons = 57649;
constexpr std::uint32_t Cascade = 57650;
constexpr std::uint32_t Tile = 57651;
constexpr std::uint32_t About = 57664;
constexpr std::uint32_t Exit = 57665;
constexpr std::uint32_t HelpIndex = 57666;
constexpr std::uint32_t NextPane = 57680;
constexpr std::uint32_t PreviousPane = 57681;
constexpr std::uint32_t StandardToolbar = 59392;
constexpr std::uint32_t StatusBar = 59393;
constexpr std::uint32_t Placeholder = 65535;
} // namespace HostCommand

// The menu bar while no document window is open.
std::unique_ptr<platform::Menu> makeNoDocumentMenu();
// The menu bar of document windows; plugin menu items are joined into it.
std::unique_ptr<platform::Menu> makeDocumentMenu();

// The "&Window" popup of the document menu bar, where the open document windows are listed; null
// when the bar has none.
platform::Menu* windowMenuOf(platform::Menu& documentBar);

// Shows the recent files in the File menu of a menu bar in place of its recent-file entries, as
// "&1 <path>" with ids counted up from RecentFile, or the single "Recent File" entry when there are none.
void showRecentFiles(platform::Menu& bar, const std::vector<std::string>& paths);

// The status-bar prompt of a host command ("prompt\ntooltip"); empty for other ids.
std::string hostCommandPrompt(std::uint32_t id);

// The view-update period of an update-rate command in milliseconds, or -1 for other ids.
int updatePeriodOf(std::uint32_t id);
