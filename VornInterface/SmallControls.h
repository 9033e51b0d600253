#pragma once

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/Geometry.h"
#include "platform/Toolbar.h"

#include <cstdint>
#include <span>

namespace platform
{
class DeviceContext;
class ImageList;
} // namespace platform

// The flat-looking standard toolbar of the main frame: a toolbar with the flat and transparent
// styles whose border is painted over in the button face with an etched edge around it.
class CFlatToolBar : public platform::Toolbar
{
public:
    static constexpr const char* runtimeClassName = "CFlatToolBar";

    // Loads the bar's buttons and pictures; false (and nothing changed) when there are none.
    // Otherwise the bar's window gets the flat (0x0800) and transparent (0x8000) styles.
    bool loadToolBar(std::span<const platform::ToolbarButton> buttons, const platform::ImageList* images);

    // The border of a bar of `size`: the usual raised border covered in the button face, then an
    // etched edge around the whole rectangle.
    void paintNonClient(platform::DeviceContext& context, platform::Size size) override;
    // After the bar moved: the parent repaints (with erasing) the rectangle the bar occupies, in
    // the parent's client coordinates, so nothing of the old place stays behind.
    static void positionChanged(platform::Window& parent, const platform::Rect& occupied, bool moved);

protected:
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
};

// The colour picker dialog "Choose Color": nothing beyond a plain modal dialog. Colours are chosen
// through the system colour dialog (MAI::chooseColor); nothing opens this one.
class CColorPicker : public platform::Dialog
{
public:
    CColorPicker();
};

// The picker's hue and saturation field: an owner-drawn button that draws nothing.
class CHueSat : public platform::Button
{
public:
    void drawItem(platform::DrawItemRecord& record) override;
};

// A cell list window whose paint only validates the window.
class CCellList : public platform::Window
{
public:
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
};
