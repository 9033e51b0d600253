#pragma once

// Command ids the platform routes: the ranges that decide how a command without a handler is
// shown, and the framework's own commands. They keep the values the system defines, because host
// and plugins exchange them as plain numbers.

#include <cstdint>

namespace platform
{

// ---- Ranges --------------------------------------------------------------------------------------
// The commands of menu-item plugins; the host hands them out downwards from the top.
inline constexpr std::uint32_t kFirstPluginCommandId = 0x9000;
inline constexpr std::uint32_t kLastPluginCommandId = 0xBFFF;
// Ids from this value up belong to the system's own commands, which stay enabled without a handler.
inline constexpr std::uint32_t kFirstSystemCommandId = 0xF000;
// The id of placeholder menu entries that carry no command.
inline constexpr std::uint32_t kPlaceholderCommandId = 65535;

// ---- Framework command ids -----------------------------------------------------------------------
inline constexpr std::uint32_t ID_FILE_NEW = 0xE100;
inline constexpr std::uint32_t ID_FILE_OPEN = 0xE101;
inline constexpr std::uint32_t ID_FILE_CLOSE = 0xE102;
inline constexpr std::uint32_t ID_FILE_SAVE = 0xE103;
inline constexpr std::uint32_t ID_FILE_SAVE_AS = 0xE104;
inline constexpr std::uint32_t ID_FILE_PRINT_SETUP = 0xE106;
inline constexpr std::uint32_t ID_FILE_PRINT = 0xE107;
inline constexpr std::uint32_t ID_FILE_PRINT_DIRECT = 0xE108;
inline constexpr std::uint32_t ID_FILE_PRINT_PREVIEW = 0xE109;
inline constexpr std::uint32_t ID_FILE_MRU_FILE1 = 0xE110;
inline constexpr std::uint32_t ID_EDIT_COPY = 0xE122;
inline constexpr std::uint32_t ID_EDIT_CUT = 0xE123;
inline constexpr std::uint32_t ID_EDIT_PASTE = 0xE125;
inline constexpr std::uint32_t ID_EDIT_UNDO = 0xE12B;
inline constexpr std::uint32_t ID_WINDOW_NEW = 0xE130;
inline constexpr std::uint32_t ID_WINDOW_ARRANGE = 0xE131;
inline constexpr std::uint32_t ID_WINDOW_CASCADE = 0xE132;
inline constexpr std::uint32_t ID_WINDOW_TILE_HORZ = 0xE133;
inline constexpr std::uint32_t ID_APP_ABOUT = 0xE140;
inline constexpr std::uint32_t ID_APP_EXIT = 0xE141;
inline constexpr std::uint32_t ID_HELP_INDEX = 0xE142;
inline constexpr std::uint32_t ID_NEXT_PANE = 0xE150;
inline constexpr std::uint32_t ID_PREV_PANE = 0xE151;
// The standard toolbar and status bar: their show commands and their window ids.
inline constexpr std::uint32_t ID_VIEW_TOOLBAR = 0xE800;
inline constexpr std::uint32_t ID_VIEW_STATUS_BAR = 0xE801;

} // namespace platform
