#pragma once

// The library's own cursors. Each getter loads its cursor from the resources of the library
// whose code runs (the current resource module) the first time, then answers the same cursor;
// a cursor that cannot be loaded is null, which shows the standard arrow, and is tried again at
// the next call.

#include "platform/Cursor.h"

#include <cstdint>

// The cursors' resource ids.
namespace KitCursorId
{
inline constexpr int32_t PagetteButton = 104;
inline constexpr int32_t CreateJoint = 171;
inline constexpr int32_t CreateMemberStart = 172;
inline constexpr int32_t CreateMemberEnd = 173;
inline constexpr int32_t Select = 174;
inline constexpr int32_t CreateForce = 175;
} // namespace KitCursorId

platform::Cursor* getCursorCreateForce();
platform::Cursor* getCursorCreateJoint();
platform::Cursor* getCursorCreateMemberStart();
platform::Cursor* getCursorCreateMemberEnd();
platform::Cursor* getCursorPagetteButton();
platform::Cursor* getCursorSelect();
