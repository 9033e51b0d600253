#pragma once

// What the kit's window tests share: the application, the test program's module with its
// templates, template helpers and a picture of a window with its children.

#include "tests/platform/PlatformTestApplication.h"

#include "platform/Dialog.h"
#include "platform/DialogTemplate.h"
#include "platform/DynamicLibrary.h"
#include "platform/InputSimulation.h"
#include "platform/Resources.h"
#include "platform/Surface.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <string>

// The test program's module: the key of the templates the tests register.
inline platform::ModuleHandle testModule()
{
    return platform::moduleContaining(reinterpret_cast<const void*>(&testModule));
}

inline platform::DialogItemTemplate ownerDrawButton(int32_t id, platform::DialogUnitRect rect,
                                                    const std::string& text = "")
{
    return platform::controlItem("Button", id, rect, platform::BS_OWNERDRAW | platform::WS_TABSTOP, text);
}

inline platform::DialogItemTemplate editControl(int32_t id, platform::DialogUnitRect rect)
{
    return platform::controlItem("Edit", id, rect, platform::WS_TABSTOP | platform::WS_BORDER);
}

inline platform::DialogTemplate childDialogTemplate(platform::DialogUnitRect rect)
{
    platform::DialogTemplate dialog;
    dialog.rect = rect;
    dialog.style = platform::WS_CHILD | platform::WS_VISIBLE | platform::DS_CONTROL | platform::DS_SETFONT;
    return dialog;
}

// A top-level painted window to put dialogs in.
inline bool createTopWindow(platform::Window& window, platform::Rect rect)
{
    return window.create("Window", "kit test", platform::WS_OVERLAPPEDWINDOW | platform::WS_VISIBLE, rect, nullptr);
}

// The picture of `root` with its visible children drawn over it, as the screen shows it. Windows
// the toolkit paints itself (edits) are shown as white boxes.
platform::Surface pictureOfWindow(platform::Window& root);
