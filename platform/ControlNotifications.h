#pragma once

#include <cstdint>

namespace platform
{

// Notification codes of the rich controls, as the system numbers them.
namespace notify_code
{
constexpr std::int32_t Click = -2;
constexpr std::int32_t TabSelectionChange = -551;
constexpr std::int32_t TabSelectionChanging = -552;
constexpr std::int32_t TreeSelectionChanging = -401;
constexpr std::int32_t TreeSelectionChanged = -402;
constexpr std::int32_t TreeBeginLabelEdit = -410;
constexpr std::int32_t TreeEndLabelEdit = -411;
constexpr std::uint32_t ComboSelectionChange = 1;
constexpr std::uint32_t ComboEditChange = 5;
} // namespace notify_code

// How a tree selection changed.
namespace tree_action
{
constexpr std::uint32_t Unknown = 0; // from code
constexpr std::uint32_t ByMouse = 1;
constexpr std::uint32_t ByKeyboard = 2;
} // namespace tree_action

} // namespace platform
