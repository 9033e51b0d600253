#pragma once

// Private to the platform library: a printed page that a DeviceContext draws on as vectors
// through QPainter. Public headers never include this file.

#include "platform/Geometry.h"
#include "platform/Message.h"

#include <functional>

class QPainter;
class QPrinter;

namespace platform
{

struct PrintPage
{
    QPainter* painter = nullptr; // already scaled so that `size` fills the page's printable area
    Size size; // the drawing's own size, in its units
    WindowHandle window = WindowHandle::None; // the window being printed
};

struct PrintRequest;
class DeviceContext;

// The printer settings of the run: the chosen printer and the page setup.
QPrinter& runPrinter();
// Draws the request's page on `printer`, scaled to fit its printable area. False when printing
// could not start (no printer, a file that cannot be written).
bool printPage(QPrinter& printer, const PrintRequest& request, const std::function<void(DeviceContext&)>& drawPage);

} // namespace platform
