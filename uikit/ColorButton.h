#pragma once

// The small owner-drawn push button that shows a colour of its owner (name-and-colour pagettes,
// the selected-object pagette, the create-group dialog). Made by subclassing an owner-draw
// button of a dialog template. It handles no click itself: its owner calls chooseColour() on
// the button's click and applies the colour when it answers true.

#include "platform/Controls.h"

#include <cstdint>

class CColorButton : public platform::Button
{
public:
    // The value that asks for no initial colour.
    static constexpr uint32_t noInitialColour = 0xFFFFFFFF;
    static constexpr uint32_t defaultColour = 0x80FF80;

    // `colour` is the owner's variable the button shows (null: the button's own colour); any
    // initial colour but noInitialColour is written into it at once.
    explicit CColorButton(uint32_t* colour = nullptr, uint32_t initialColour = noInitialColour)
        : CColorButton(colour, initialColour, noInitialColour)
    {
    }

    // The colour shown (0 without a variable).
    uint32_t colour() const { return colourPointer != nullptr ? *colourPointer : 0; }

    // The owner's click handling: the colour dialog on the shown colour (full, owned by the main
    // window); on OK the colour goes into the variable and the button repaints at once, and the
    // answer is true so the owner applies it. Cancel changes nothing and answers false.
    bool chooseColour();

    void drawItem(platform::DrawItemRecord& record) override;

protected:
    // For a library's version that marks "no initial colour" with another value.
    CColorButton(uint32_t* colour, uint32_t initialColour, uint32_t noInitialMarker);

    // The face of an enabled button; the focus frame is drawn over it.
    virtual void paintFace(platform::DeviceContext& dc, const platform::Rect& rect, uint32_t colour);

    uint32_t ownColour = defaultColour;
    uint32_t* colourPointer;
    // Or-ed into a colour chosen in the dialog (a library's version stores its choices opaque).
    uint32_t chosenTopByte = 0;
};

// The frame a focused kit control draws over its colour: a one-pixel outline 3 pixels inside
// `rect` (whose right and bottom are exclusive) in focusFrameColour(colour).
void drawFocusFrame(platform::DeviceContext& dc, const platform::Rect& rect, uint32_t colour);
