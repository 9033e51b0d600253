#pragma once

#include "plugins/VornPluginViewBase.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class VornDocument;
class NotifierRegistry;

namespace lumbra
{

class CViewPageDevStatus;

// One piece of the status picture: text at a place in a colour, or a line.
struct StatusPiece
{
    int32_t x;
    int32_t y;
    uint32_t colour; // of text
    std::string text; // empty for a line
    int32_t toX = 0; // lines: the other end
    int32_t toY = 0;
};

// How wide a text is drawn, in pixels.
using StatusTextWidth = std::function<int32_t(const std::string& text)>;

// What the status view shows of a document (none: only the heading) and of the shared managers,
// in paint order. With `textWidth`, each column is widened to hold its longest text and the
// columns right of it move along, so no text runs into the next column.
std::vector<StatusPiece> documentStatus(VornDocument* document, NotifierRegistry* channels,
                                        const StatusTextWidth& textWidth = {});

// The document-status view type ("DevStatus"): a window that lists the document's block lists,
// selections, groups and items, the shared knot and dword-array storage, the channels and the type
// registry.
class PluginViewDevStatus : public VornPluginViewBase
{
public:
    PluginViewDevStatus();
    ~PluginViewDevStatus() override;
    const char* getName() override { return "DevStatus"; }
    VornPluginBase* GetPackagedPlugin(uint32_t index) override;
    const char* getDescription() override { return "DevStatus:\nA devellopment tool to monitor a document."; }
    void about(PluginWindowHandle* parent) override;
    // The page is made at the first request and kept for the run.
    PluginWindowRequest* getWindowRequest() override;
    ViewTypeInfo* getViewTypeInfo(MAI_View* view) override;
    void activateView(MAI_View* previousView, VornPluginViewBase* previousViewType) override;
    void draw(platform::DeviceContext* context, ViewTypeInfo* info) override;
    void onMouse(MAI_View*, int32_t, int32_t, uint32_t) override {}

private:
    std::unique_ptr<CViewPageDevStatus> viewPage;
};

} // namespace lumbra
