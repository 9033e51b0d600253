#pragma once

// Printing: the print, print preview and page setup dialogs, and printing into a PDF file. A
// page is drawn by the caller's function on a DeviceContext over the page, as vectors, scaled
// so that the drawing's size fills the printable area.

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/Message.h"

#include <functional>
#include <string>

namespace platform
{

class DeviceContext;

enum class PrintDialogKind
{
    print, // the print dialog, then printing
    preview, // the print preview window
    setup, // the page setup dialog
};

// Draws the one page: `context` is `PrintRequest::size` large.
using PageDrawer = std::function<void(DeviceContext& context)>;

struct PrintRequest
{
    WindowHandle owner = WindowHandle::None; // None: the main window
    PrintDialogKind kind = PrintDialogKind::print;
    std::string documentName;
    Size size; // the drawing's size (a view's client size); empty for page setup
    // The window whose drawing is printed, if any: the page's device context names it, so a GL
    // view puts its rendered frame on the page.
    WindowHandle window = WindowHandle::None;
};

// Shows the request's dialog through the interaction service and prints what it asks for.
// Answers whether the person went on (printed, closed the preview, or chose OK in page setup).
PLATFORM_API bool print(const PrintRequest& request, const PageDrawer& drawPage);

// Prints the page into the PDF file at `path` without a dialog, with the page setup chosen in
// the run. False when the file cannot be written.
PLATFORM_API bool printToPdfFile(const std::string& path, const PrintRequest& request, const PageDrawer& drawPage);

} // namespace platform
