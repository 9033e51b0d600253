#pragma once

#include "platform/CommandIds.h"

#include <cstdint>

// The host's command ids: its own, and the framework's commands it names in its menus.
namespace HostCommand
{
inline constexpr std::uint32_t Plugins = 32771;
inline constexpr std::uint32_t Accelerators = 32775;
inline constexpr std::uint32_t ObjectHierarchy = 32776;
inline constexpr std::uint32_t Import = 32777;
inline constexpr std::uint32_t Export = 32778;
inline constexpr std::uint32_t ViewReadme = 32780;
inline constexpr std::uint32_t SearchHelp = 32781;
inline constexpr std::uint32_t Introduction = 32782;
inline constexpr std::uint32_t ViewSettings = 32783; // the View > Settings popup
inline constexpr std::uint32_t UpdateRate = 32784; // its update-rate popup
inline constexpr std::uint32_t UpdateFifthSecond = 32785;
inline constexpr std::uint32_t UpdateEverySecond = 32786;
inline constexpr std::uint32_t UpdateEveryFiveSeconds = 32787;
inline constexpr std::uint32_t UpdateNever = 32788;
inline constexpr std::uint32_t UpdateTwentyFivePerSecond = 32789;
inline constexpr std::uint32_t UpdateEveryFifteenSeconds = 32790;
inline constexpr std::uint32_t MakeSnapshot = 32791;
inline constexpr std::uint32_t SnapshotTarget = 32792;
inline constexpr std::uint32_t AutoSnapshot = 32793;
inline constexpr std::uint32_t OpenAsImport = 32794;
inline constexpr std::uint32_t SaveAsExport = 32795;
inline constexpr std::uint32_t SaveAsAsExport = 32796;

inline constexpr std::uint32_t FileNew = platform::ID_FILE_NEW;
inline constexpr std::uint32_t FileOpen = platform::ID_FILE_OPEN;
inline constexpr std::uint32_t FileClose = platform::ID_FILE_CLOSE;
inline constexpr std::uint32_t FileSave = platform::ID_FILE_SAVE;
inline constexpr std::uint32_t PrintSetup = platform::ID_FILE_PRINT_SETUP;
inline constexpr std::uint32_t Print = platform::ID_FILE_PRINT;
inline constexpr std::uint32_t PrintDirect = platform::ID_FILE_PRINT_DIRECT;
inline constexpr std::uint32_t PrintPreview = platform::ID_FILE_PRINT_PREVIEW;
inline constexpr std::uint32_t RecentFile = platform::ID_FILE_MRU_FILE1;
inline constexpr std::uint32_t EditCopy = platform::ID_EDIT_COPY;
inline constexpr std::uint32_t EditCut = platform::ID_EDIT_CUT;
inline constexpr std::uint32_t EditPaste = platform::ID_EDIT_PASTE;
inline constexpr std::uint32_t EditUndo = platform::ID_EDIT_UNDO;
inline constexpr std::uint32_t NewWindow = platform::ID_WINDOW_NEW;
inline constexpr std::uint32_t ArrangeIcons = platform::ID_WINDOW_ARRANGE;
inline constexpr std::uint32_t Cascade = platform::ID_WINDOW_CASCADE;
inline constexpr std::uint32_t Tile = platform::ID_WINDOW_TILE_HORZ;
inline constexpr std::uint32_t About = platform::ID_APP_ABOUT;
inline constexpr std::uint32_t Exit = platform::ID_APP_EXIT;
inline constexpr std::uint32_t HelpIndex = platform::ID_HELP_INDEX;
inline constexpr std::uint32_t NextPane = platform::ID_NEXT_PANE;
inline constexpr std::uint32_t PreviousPane = platform::ID_PREV_PANE;
inline constexpr std::uint32_t StandardToolbar = platform::ID_VIEW_TOOLBAR;
inline constexpr std::uint32_t StatusBar = platform::ID_VIEW_STATUS_BAR;
inline constexpr std::uint32_t Placeholder = platform::kPlaceholderCommandId;
} // namespace HostCommand

// Command ids of menu-item plugins: the platform's plugin range, handed out downwards, the first
// being one below its top.
class CommandIdCounter
{
public:
    static constexpr std::uint32_t firstPluginId = platform::kFirstPluginCommandId;
    static constexpr std::uint32_t lastPluginId = platform::kLastPluginCommandId;

    // The next id, or 0 once the range is used up (the item then gets no menu entry).
    std::uint32_t allocate()
    {
        if (next_ <= firstPluginId)
            return 0;
        return --next_;
    }

    // True for ids that the counter has handed out: from the last one handed out up to the top.
    bool isHandedOut(std::uint32_t id) const { return id >= next_ && id <= lastPluginId; }

    std::uint32_t next() const { return next_; }

private:
    std::uint32_t next_ = lastPluginId;
};
