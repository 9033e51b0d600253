#pragma once

// The narrow spin-and-drag button beside a numeric edit. A click in its upper half raises the
// number by a step, in its lower half lowers it; holding it and dragging vertically changes the
// number continuously (moving up increases it). The spinner changes only a double of its page,
// through its link, which it tells before and after every change.

#include "platform/Controls.h"

#include <cstdint>

namespace platform
{
class DeviceContext;
}

class DoubleSpinnerLink
{
public:
    DoubleSpinnerLink(double* value, double step, double dragFactor) : step(step), dragFactor(dragFactor), value(value)
    {
    }
    virtual ~DoubleSpinnerLink() = default;
    DoubleSpinnerLink(const DoubleSpinnerLink&) = delete;
    DoubleSpinnerLink& operator=(const DoubleSpinnerLink&) = delete;

    // Once when a press starts.
    virtual void beginChange() = 0;
    // After every change of the value.
    virtual void valueChanged() = 0;

    double step; // added per click, or the factor in multiplicative mode
    double dragFactor; // value change per pixel of drag, or the exponent per pixel
    double* value;
    // Where a multiplicative click or an exponential drag up leaves 0 for (multiplying alone never
    // would); 0 keeps such a value at 0.
    double fromZero = 0.0;
};

// The link of a page whose edit shows the value: before a change the page reads its controls,
// after it writes them back and the edit repaints.
class DoubleSpinnerPageLink : public DoubleSpinnerLink
{
public:
    DoubleSpinnerPageLink(double* value, double step) : DoubleSpinnerLink(value, step, 1.0) {}

    void beginChange() override;
    void valueChanged() override;

    // Set by the page once its edit control exists.
    platform::Window* edit = nullptr;
};

class CDoubleSpinner : public platform::Button
{
public:
    enum Flags : int32_t
    {
        SpinUpperPressed = 0x01, // press state: began in the upper half
        SpinLowerPressed = 0x02, // press state: began in the lower half
        SpinDragged = 0x04, // press state: the mouse moved while pressed
        SpinExponential = 0x08, // configuration: dragging multiplies exponentially
        SpinMultiply = 0x10, // configuration: clicks multiply and divide by the step
        SpinAngle = 0x20, // configuration: the value is an angle kept in [-180, 180)
    };
    static constexpr int32_t pressState = SpinUpperPressed | SpinLowerPressed | SpinDragged;

    // A null link makes the spinner ignore all input.
    CDoubleSpinner(DoubleSpinnerLink* link, int32_t flags);

    int32_t getFlags() const { return flags; }
    void setFlags(int32_t configuration) { flags = (flags & pressState) | (configuration & ~pressState); }
    DoubleSpinnerLink* getLink() const { return link; }

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void drawItem(platform::DrawItemRecord& record) override;

protected:
    virtual void paint(platform::DeviceContext& dc, const platform::Rect& client);
    // The two halves with their edges, faces in `face` and arrows outlined in `outline`.
    void paintHalves(platform::DeviceContext& dc, const platform::Rect& client, uint32_t face, uint32_t outline);
    // Whether SpinAngle keeps the value in [-180, 180).
    virtual bool wrapsAngles() const { return true; }

    // The arrow of one half as drawn by paint: tip first, then the two ends of the base.
    static void arrowPoints(const platform::Rect& client, bool upper, bool pressed, platform::Point points[3]);

    DoubleSpinnerLink* link;
    int32_t flags;
    int32_t lastY = 0;

private:
    void press(int32_t y);
    void drag(int32_t y);
    void release();
    // Stores a changed value (an angle brought into range) and tells the link.
    void setValue(double value);
    void repaintNow();
};
