#pragma once

#include "Lumbra/Console/DialogPlugin.h"
#include "uikit/PagetteButton.h"
#include "uikit/PagetteStack.h"
#include "uikit/PluginWindowHandleImpl.h"

#include <memory>

namespace lumbra
{

// The fixed texts of a console page; its about box shows `name` captioned with `name`.
struct ConsolePageTexts
{
    const char* name;
    const char* description; // begins with the name, a colon and a line break
};

// The common part of the library's console pages: texts, about box, own dialog object and tab picture.
class LumbraConsolePage : public WithOwnDialog<VornPluginMainConsolePage>
{
public:
    LumbraConsolePage(const ConsolePageTexts& texts, int32_t dialogId, int32_t tabBitmapId);

    const char* getName() override;
    const char* getDescription() override;
    void about(PluginWindowHandle* parent) override;
    void addTabImage(platform::ImageList* imageList) override;

private:
    const ConsolePageTexts texts;
    const int32_t tabBitmapId;
};

// The column of pagettes a console page holds: the stack with its slim scroll bar (the page
// template's owner-drawn placeholder) and the holder the pagette windows are made in.
class PagetteHost
{
public:
    // Run from the page's dialog initialisation: the stack's scroll bar takes over the placeholder,
    // the page plugin's handle is attached to the page, and the holder is made inside the page at
    // `start` under a handle whose parent is the page plugin's handle. Throws Exc_OutOfMemory or
    // Exc_InternalError naming `thrower` when the holder cannot be made.
    void build(platform::Dialog& page, VornPluginWindowed& pagePlugin, int32_t placeholderId,
               const platform::Rect& start, const char* thrower);

    // The parent handle of the pagette windows.
    PluginWindowHandle* pagetteParent() { return &holderHandle; }
    bool scrollBarExists() const { return stack.bar.exists(); }

    // The holder is hidden while `change` shows and hides pagettes, shown and redrawn after it;
    // then the column is placed again from where it stands and the scroll bar is repainted.
    template <class Change>
    void rearrange(Change change)
    {
        holderHandle.modifyStyle(platform::WS_VISIBLE, 0, 0);
        change();
        holderHandle.modifyStyle(0, platform::WS_VISIBLE, 0);
        holderHandle.redraw(nullptr);
        stack.readScrollOffset();
        stack.layout(true);
        stack.bar.repaintNow();
    }

    // Moves the scroll bar and the holder (without repaint), then places the column without repaint.
    void place(const platform::Rect& scrollBar, const platform::Rect& holder);

    PagetteStack stack;
    PluginWindowHandleImpl holderHandle;
    std::unique_ptr<CEmptyChildDialog> holder;
};

} // namespace lumbra
