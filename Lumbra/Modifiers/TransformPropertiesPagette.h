#pragma once

// The Transform Properties pagette: the move, rotate and scale values of the active transform
// record, typed or spun; every change is applied to the record at once. Move packages it; the
// ring of the three modifiers lets it serve Rotate and Scale too.

#include "Lumbra/SectionPages/PageSupport.h"
#include "__globalobjectdevice/Notifier.h"
#include "platform/Dialog.h"
#include "plugins/VornPluginObjectType.h"
#include "uikit/DoubleSpinner.h"
#include "uikit/PagetteButton.h"

#include <array>
#include <cstdint>
#include <memory>

class VornModifier;

namespace lumbra
{

// The nine numbers the pagette shows.
struct TransformFields
{
    std::array<double, 3> move{0, 0, 0};
    std::array<double, 3> rotate{0, 0, 0};
    std::array<double, 3> scale{1, 1, 1};
};

// Which parameters a value belongs to; writing a group makes the record that group's modifier.
enum class TransformGroup : uint8_t
{
    Move,
    Rotate,
    Scale,
};

// Copies the parameters of a transform record into the fields; false (fields untouched) for any
// other record.
bool loadTransformFields(const VornModifier* record, TransformFields& fields);

// Writes the group's three fields into the active transform record of the application's active
// document, makes the record that group's modifier (by assignment: it is neither activated nor
// announced), rebuilds its matrices, updates its objects and invalidates the views, all under
// the document lock. False when there is no such record or the lock was refused.
bool applyTransformGroup(MAI* mai, TransformGroup group, const TransformFields& fields);

class CPageModifierMoveRotateScale;

// A spin button of the pagette: the pagette reads its edits before a change and applies the
// value's group after it.
class TransformSpinnerLink : public DoubleSpinnerLink
{
public:
    TransformSpinnerLink(CPageModifierMoveRotateScale& page, size_t row, double* value, double step, double dragFactor)
        : DoubleSpinnerLink(value, step, dragFactor), page(page), row(row)
    {
    }

    void beginChange() override;
    void valueChanged() override;

private:
    CPageModifierMoveRotateScale& page;
    size_t row;
};

class CPageModifierMoveRotateScale : public platform::Dialog
{
public:
    static constexpr int32_t dialogId = 154;
    static constexpr int32_t frameId = 1086;

    struct Row
    {
        int32_t edit;
        int32_t spinner;
        TransformGroup group;
        size_t axis;
        double step;
        double dragFactor;
        const char* label;
        const char* spinnerText;
    };
    // Move x, y, z, rotate x, y, z, scale x, y, z.
    static const std::array<Row, 9> rows;

    CPageModifierMoveRotateScale(platform::Window* parent, VornPluginWindowed* plugin);
    ~CPageModifierMoveRotateScale() override;

    bool onInitDialog() override;
    bool onCommand(uint32_t id, uint32_t code, platform::WindowHandle control) override;

    // The fields into the edits.
    void showFields();
    // The edits that hold numbers into the fields, quietly.
    void readFields();
    // A spin button changed the value of the row.
    void spun(size_t row);

    double& field(size_t row);

    CPagetteButton frame;
    TransformFields fields;

private:
    VornPluginWindowed* plugin;
    std::array<std::unique_ptr<TransformSpinnerLink>, 9> links;
    std::array<std::unique_ptr<CDoubleSpinner>, 9> spinners;
};

class PluginModifierPageTransformProperties
    : public WindowedPagette<PluginModifierPageTransform, CPageModifierMoveRotateScale>
{
public:
    PluginModifierPageTransformProperties();

    void registerListeners() override;
    // Shows the parameters of a transform record once the window exists; anything else changes
    // nothing.
    void setObject(VornModifier* record) override;

private:
    // A modifier tool changed a record: the pagette reloads when it is shown and the record is
    // the active one.
    class Listener : public NotifierListener
    {
    public:
        explicit Listener(PluginModifierPageTransformProperties& pagette) : pagette(pagette) {}
        void notify(void* payload) override;

    private:
        PluginModifierPageTransformProperties& pagette;
    };
    Listener listener{*this};
};

// Registers the pagette's dialog template with the library.
void registerTransformPagetteTemplate();

} // namespace lumbra
