#pragma once

#include <cstdint>

class VornPluginMenuItem;

// Event codes of the accelerator table. Mouse gestures are a modifier base (0, 16 Shift, 32 Ctrl,
// 48 both) plus a gesture number; key releases are 72 + virtual key, +256 with Shift, +512 with
// Ctrl.
namespace AcceleratorCode
{
constexpr uint32_t Count = 1096;

constexpr uint32_t RightDrag = 1;
constexpr uint32_t RightUp = 2;
constexpr uint32_t RightDown = 3;
constexpr uint32_t RightClick = 4;
constexpr uint32_t MiddleDrag = 5;
constexpr uint32_t MiddleUp = 6;
constexpr uint32_t MiddleDown = 7;
constexpr uint32_t MiddleClick = 8;
constexpr uint32_t ShiftBase = 16;
constexpr uint32_t CtrlBase = 32;

constexpr uint32_t FirstKey = 72;
constexpr uint32_t KeyShift = 256;
constexpr uint32_t KeyCtrl = 512;

constexpr uint32_t mouseBase(bool shift, bool ctrl)
{
    return (shift ? ShiftBase : 0) + (ctrl ? CtrlBase : 0);
}
constexpr uint32_t key(uint32_t virtualKey, bool shift, bool ctrl)
{
    return FirstKey + virtualKey + (shift ? KeyShift : 0) + (ctrl ? KeyCtrl : 0);
}
} // namespace AcceleratorCode

// One menu item bound to one event code.
struct AcceleratorBinding
{
    VornPluginMenuItem* plugin = nullptr;
    AcceleratorBinding* next = nullptr; // the next binding of the same code
    uint32_t reserved = 0;
    uint32_t code = 0;
};

// Ordered lists of bindings, one per event code. Bindings are made and freed only by the table.
class AcceleratorTable
{
public:
    AcceleratorTable();
    ~AcceleratorTable();
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;

    // Appends a binding at the end of the code's list; null for a code outside the table.
    AcceleratorBinding* addBinding(uint32_t code, VornPluginMenuItem* plugin);
    // The first binding of the code (walk with `next`); null for a code outside the table.
    AcceleratorBinding* getBindings(uint32_t code) const;
    // Unlinks and frees a binding of this table; anything else (null, a binding of another
    // table) is left alone.
    void removeBinding(AcceleratorBinding* binding);
    void clear();
    int32_t getCount() const { return count; }
    // Exchanges the bindings of two tables, so a table can be built aside and put in place whole.
    void swap(AcceleratorTable& other);

private:
    AcceleratorBinding* heads[AcceleratorCode::Count];
    int32_t count = 0;
};
