#pragma once

// This library's versions of the kit's colour button, spinner and pagette frame. Each keeps the
// kit control's interface and changes only where the OpenGL pages differ: colours carry an alpha
// byte, spinners never wrap angles and take their face from what lies under them, and the frame's
// double-click can reset a resizable pagette's height.

#include "uikit/ColorButton.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PagetteButton.h"

#include <cstdint>

namespace zintel
{

// The two colours of a colour button's face: the colour over black (red, green and blue scaled
// by alpha / 255) and over white (that plus 255 - alpha); both 0x00BBGGRR.
struct ColourFace
{
    uint32_t overBlack;
    uint32_t overWhite;
};
ColourFace colourFaceOf(uint32_t colour);

// Shows a ColorRGBA word: the top-left and bottom-right quarters over black, the other two over
// white, so that the contrast between them shows the opacity. Colours chosen in the dialog are
// stored opaque.
class CColorButton : public ::CColorButton
{
public:
    // The value that asks for no initial colour.
    static constexpr uint32_t noInitialColour = 0x00FFFFFF;

    explicit CColorButton(uint32_t* colour = nullptr, uint32_t initialColour = noInitialColour);

    void setColour(uint32_t colour) { *colourPointer = colour; }

protected:
    void paintFace(platform::DeviceContext& dc, const platform::Rect& rect, uint32_t colour) override;
};

// Paints its face in the colour it showed at (2, 2) before the repaint (so it blends into what it
// sits on) and never wraps angles.
class CDoubleSpinner : public ::CDoubleSpinner
{
public:
    using ::CDoubleSpinner::CDoubleSpinner;

protected:
    void paint(platform::DeviceContext& dc, const platform::Rect& client) override;
    bool wrapsAngles() const override { return false; }
};

// The frame with the library's fold rule: a double-click on the grip of an open resizable pagette
// brings back its default height; a middle double-click does nothing; the default cursor
// everywhere.
class CPagetteButton : public ::CPagetteButton
{
public:
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

    // The open height a double-click on the grip restores.
    int32_t defaultHeight = 100;

private:
    void doubleClick(int32_t y);
};

} // namespace zintel
