#pragma once

// The platform types that the framework's interfaces name. The framework only passes them on:
// it never includes a window header, so the plain declarations are enough here.

#include "platform/DynamicLibrary.h"

#include <cstdint>

namespace platform
{
// A cursor; the null handle is the standard arrow.
enum class CursorHandle : uintptr_t;
// Names one window; None (0) names none.
enum class WindowHandle : uint64_t;
struct Message;
struct Rect;
class Window;
class Dialog;
class DeviceContext;
class CommandState;
class ImageList;
} // namespace platform
