#include "platform/Printing.h"

#include "platform/DeviceContext.h"
#include "platform/Services.h"
#include "platform/qt/PrintPage.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <memory>

namespace platform
{

QPrinter& runPrinter()
{
    // Made on first use, after the application exists; kept for the run so the page setup holds.
    static std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

bool printPage(QPrinter& printer, const PrintRequest& request, const PageDrawer& drawPage)
{
    if (!request.documentName.empty())
        printer.setDocName(QString::fromStdString(request.documentName));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The drawing keeps its proportions and fills the printable area's width or height.
    const QRect area = painter.viewport();
    const Size size{std::max(request.size.width, 1), std::max(request.size.height, 1)};
    const double scale =
        std::min(static_cast<double>(area.width()) / size.width, static_cast<double>(area.height()) / size.height);
    painter.scale(scale, scale);
    PrintPage page{&painter, size, request.window};
    {
        DeviceContext context(page);
        drawPage(context);
    }
    return painter.end();
}

bool print(const PrintRequest& request, const PageDrawer& drawPage)
{
    return interactionService().print(request, drawPage);
}

bool printToPdfFile(const std::string& path, const PrintRequest& request, const PageDrawer& drawPage)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(runPrinter().pageLayout());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return printPage(printer, request, drawPage);
}

} // namespace platform
