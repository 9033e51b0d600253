#pragma once

// The platform types that the framework's interfaces name. The framework only passes them on:
// it never includes a window header, so the plain declarations are enough here.

#include "platform/DynamicLibrary.h"

namespace platform
{
struct Message;
struct Rect;
class Window;
class Dialog;
class DeviceContext;
class Cursor;
class CommandUI;
class ImageList;
class Region;
} // namespace platform
