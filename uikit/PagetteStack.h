#pragma once

// The column of pagettes of a console page: PagetteStack places the visible pagette windows of
// its holder one below the other with a gap of 2 pixels and scrolls the column when it is taller
// than the holder; CMiniScrollBar is its slim bar at the page's right edge.

#include "platform/Controls.h"

#include <cstdint>
#include <vector>

class PluginWindowHandle;

// Whoever owns a CMiniScrollBar.
class MiniScrollBarOwner
{
public:
    virtual void layout(bool redraw) = 0;
    virtual void scrollBy(int32_t delta) = 0;

protected:
    ~MiniScrollBarOwner() = default;
};

// A 6-pixel track with a raised thumb. Clicking above or below the thumb pages by 0.8 of the
// visible height; dragging the thumb scrolls proportionally. It holds the scroll state; the
// owner moves the content.
class CMiniScrollBar : public platform::Button
{
public:
    CMiniScrollBar(MiniScrollBarOwner* owner, bool repaintOnClick);

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void drawItem(platform::DrawItemRecord& record) override;
    // Paints the bar now.
    void repaintNow();

    MiniScrollBarOwner* owner;
    // Where the parts stood at the last paint or press (client coordinates).
    platform::Rect rectAbove;
    platform::Rect thumbRect;
    platform::Rect rectBelow;
    bool dragging = false;
    int32_t dragStartY = 0;
    int32_t dragStartPos = 0;
    bool repaintOnClick;
    int32_t page = 0; // visible height of the holder
    int32_t total = 0; // height of the whole column
    int32_t position = 0; // scroll offset, in [0, total - page]

private:
    // The parts for the bar's current size and state; also remembered in the rectangles above.
    void updateGeometry();
    void press(platform::Point point);
    void dragTo(int32_t y);
    int32_t track = 0;
};

class PagetteStack : public MiniScrollBarOwner
{
public:
    PagetteStack();
    ~PagetteStack();
    PagetteStack(const PagetteStack&) = delete;
    PagetteStack& operator=(const PagetteStack&) = delete;

    // Recomputes the scroll state and places every visible pagette.
    void layout(bool redraw) override;
    void scrollBy(int32_t delta) override;
    // Takes the scroll position from where the first visible pagette stands now.
    void readScrollOffset();
    // After a pagette's height changed (its top stayed): moves the pagettes below it, or, when
    // the column would end above the holder's bottom, those above it.
    void pagetteResized(platform::Window* pagette);

    // The column is taller than the holder.
    bool canScroll() const { return bar.total > bar.page; }
    platform::Window* holderWindow() const;

    CMiniScrollBar bar;
    PluginWindowHandle* holderHandle = nullptr;
    int32_t topMargin = 0;

private:
    std::vector<platform::Window*> visiblePagettes(platform::Window* holder) const;
};
