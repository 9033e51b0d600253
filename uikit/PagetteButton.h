#pragma once

// The titled frame every pagette draws around itself, and the empty child dialog that holds the
// pagettes of a console page. The frame folds its pagette down to the title bar and opens it
// again, lets the user drag the whole column when it is taller than the page, and drags the
// bottom edge of a resizable pagette.

#include "platform/Controls.h"
#include "platform/Dialog.h"

#include <cstdint>
#include <string>

class PagetteStack;
class PluginWindowHandle;

class CPagetteButton : public platform::Button
{
public:
    CPagetteButton() = default;

    // Opens (true) or folds the pagette, then lets the stack move the others. Ignored while the
    // pagette's open height is not known yet (negative).
    void setFolded(bool open);
    // The stack of the holder this frame's pagette sits in; null when the frame is not in a
    // pagette inside a holder with a stack.
    PagetteStack* stack() const;

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void drawItem(platform::DrawItemRecord& record) override;

    enum EraseMode : int32_t
    {
        EraseNever = 0,
        EraseNormally = 1,
        EraseSkipOnce = 2,
        EraseStripsOnce = 3, // eraseRect, then the strip from 2 to eraseLimit
    };

    platform::Point dragPoint; // screen coordinates; only y is used
    bool dragging = false;
    bool resizing = false;
    bool unfolded = true;
    bool resizable = false;
    platform::Rect eraseRect;
    int32_t eraseMode = EraseNormally;
    int32_t bottomMargin = 0;
    int32_t eraseLimit = 0;
    int32_t titleHeight = 19;
    static constexpr int32_t smallestTitleHeight = 9;
    int32_t separator1 = 0;
    int32_t separator2 = 0;
    int32_t openHeight = 140;
    int32_t foldedHeight = 19;
    int32_t maxOpenHeight = 600;
    int32_t minOpenHeight = 29;

protected:
    // Selects into `dc` the font the title `text` fits `room` pixels in: the bold one it has, the
    // regular dialog font, or that font made smaller (not below smallestTitleHeight pixels); answers
    // the text.
    static std::string fittedTitle(platform::DeviceContext& dc, std::string text, int32_t room);
    // The small box of a folded pagette that opens it.
    platform::Rect foldBox() const;
    // Within the grip zone at the bottom of a resizable pagette.
    bool onGrip(int32_t y) const;

    // The handlers, for a library's own version of the frame to reuse.
    void leftButtonDown(platform::Point point);
    void mouseMove(platform::Point point);
    void leftButtonUp();
    bool eraseBackground();
    bool setCursorOverFrame();
};

// Holds the pagettes of a page: an empty child dialog (template 124) whose stack the page sets.
class CEmptyChildDialog : public platform::Dialog
{
public:
    static constexpr int32_t templateId = 124;

    CEmptyChildDialog();

    // What every page does in its dialog initialisation: makes the holder from the module's
    // template 124 as a child of `page`, attaches `handle` to it, links it with `stack`, moves
    // it to `start` without repainting and shows it without activating it. False when the
    // window cannot be made.
    bool createHolder(platform::Window* page, platform::ModuleHandle module, PagetteStack* stack,
                      PluginWindowHandle* handle, const platform::Rect& start);

    PagetteStack* stack = nullptr;
};

// Template 124: the empty 144 x 114 dialog-unit child dialog that holds pagettes.
platform::DialogTemplate emptyChildDialogTemplate();
