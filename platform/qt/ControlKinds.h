#pragma once

// Private to the platform library: what each kind of control does by default. The control code
// finds a kind's behaviour here instead of switching over every kind in one place.

#include "platform/Controls.h"
#include "platform/qt/WindowState.h"

#include <QWidget>

#include <string>

namespace platform
{

struct ControlKindBehaviour
{
    // Makes the toolkit widget of a native control; null: a plain widget.
    QWidget* (*create)(WindowState* state, QWidget* parentWidget) = nullptr;
    // Shows a new window text in the widget (the text is already kept in the state); null: not shown.
    void (*setText)(WindowState* state, const std::string& text) = nullptr;
    // The window text as the widget holds it; null: the text kept in the state.
    std::string (*getText)(const WindowState* state) = nullptr;
    // The kind's own handling of a message; `handled` false: fall back to the common handling.
    LResult (*message)(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled) = nullptr;
    // Paints an owner-drawn control through WM_DRAWITEM records to its parent; null: nothing to draw.
    void (*paint)(WindowState* state) = nullptr;
};

extern const ControlKindBehaviour pushButtonBehaviour;
extern const ControlKindBehaviour checkBoxBehaviour;
extern const ControlKindBehaviour radioButtonBehaviour;
extern const ControlKindBehaviour groupBoxBehaviour;
extern const ControlKindBehaviour ownerDrawButtonBehaviour;
extern const ControlKindBehaviour editBehaviour;
extern const ControlKindBehaviour staticTextBehaviour;
extern const ControlKindBehaviour staticBitmapBehaviour;
extern const ControlKindBehaviour listBoxBehaviour;
extern const ControlKindBehaviour ownerDrawListBoxBehaviour;
extern const ControlKindBehaviour scrollBarBehaviour;

const ControlKindBehaviour& behaviourOf(WindowKind kind);

// Blocks the widget's signals while the program changes it, so only the person's own changes
// raise notifications.
class ProgrammaticChange
{
public:
    explicit ProgrammaticChange(QWidget* widget) : widget_(widget), wasBlocked_(widget->blockSignals(true)) {}
    ~ProgrammaticChange() { widget_->blockSignals(wasBlocked_); }
    ProgrammaticChange(const ProgrammaticChange&) = delete;
    ProgrammaticChange& operator=(const ProgrammaticChange&) = delete;

private:
    QWidget* widget_;
    bool wasBlocked_;
};

// Sends a WM_DRAWITEM record for the control to its parent, while both still exist.
void sendDrawItem(WindowHandle control, DrawItemRecord& record);

} // namespace platform
