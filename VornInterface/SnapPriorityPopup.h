#pragma once

#include "platform/Controls.h"
#include "platform/Dialog.h"

#include <cstdint>
#include <string>

class CIntensityCtrl;

// Told after each change of a gauge's value.
class IntensityListener
{
public:
    virtual void intensityChanged(CIntensityCtrl& gauge) = 0;

protected:
    ~IntensityListener() = default;
};

// A vertical gauge on an owner-drawn button: white above the value, below it a colour between the
// colour at the maximum (full) and the colour at the minimum (empty). Dragging with the left
// button sets the value.
class CIntensityCtrl : public platform::Button
{
public:
    int32_t maximum = 10;
    int32_t minimum = 0;
    uint32_t maximumColour = 0x2040FF; // red
    uint32_t minimumColour = 0xFF4040; // blue

    // The value the gauge shows and sets; its own until another is connected.
    int32_t getValue() const { return *value; }
    void setValue(int32_t newValue) { *value = newValue; }
    void setValuePointer(int32_t* target) { value = target != nullptr ? target : &ownValue; }
    void setListener(IntensityListener* newListener) { listener = newListener; }

    // The gauge's colour at the current value.
    uint32_t currentColour() const;
    // The value for a press at height y of a client area of height `height`, clamped.
    int32_t valueAtHeight(int32_t y, int32_t height) const;
    // Draws the gauge into the rectangle (top 0 to bottom).
    void drawGauge(platform::DeviceContext& context, const platform::Rect& rect) const;

    void drawItem(platform::DrawItemRecord& record) override;
    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    void trackMouse(int32_t y);

    int32_t ownValue = 5;
    int32_t* value = &ownValue;
    IntensityListener* listener = nullptr;
};

// A narrow child dialog that sets a priority from 0 to 10 with the gauge and as a number. Nothing
// opens it yet: the gauge's value pointer is where a snap object's priority would be connected.
class CPopupSnapPriority : public platform::Dialog, private IntensityListener
{
public:
    enum ControlId : int32_t
    {
        NumberId = 1011,
        GaugeId = 1012,
    };

    CPopupSnapPriority();
    // Makes the popup as a child of the parent.
    bool open(platform::Window* parent);

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;
    // The number edit changed: a text that begins with a digit sets the value (its leading digits,
    // clamped to 0..10); anything else changes nothing.
    void OnNumberChange();

    CIntensityCtrl& getGauge() { return gauge; }

private:
    void intensityChanged(CIntensityCtrl& changed) override;

    CIntensityCtrl gauge;
    std::string numberText;
};
