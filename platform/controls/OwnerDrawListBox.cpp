// The owner-drawn list box (LBS_OWNERDRAWFIXED): its rows live in its state, the parent paints each
// visible row through WM_DRAWITEM, and selection and scrolling are ours.

#include "platform/qt/ControlKinds.h"
#include "platform/qt/ListBoxRows.h"
#include "platform/qt/ScrollBars.h"

#include <algorithm>

namespace platform
{

namespace
{

int32_t visibleRows(const WindowState* state)
{
    return std::max(1, clientSize(state).height() / std::max(1, state->listBox.itemHeight));
}

// The list box's own vertical bar shows the rows: one step per row.
void syncListScrollBar(WindowState* state)
{
    WindowState::ListBoxState& list = state->listBox;
    const int32_t count = static_cast<int32_t>(list.items.size());
    list.topIndex = std::clamp(list.topIndex, 0, std::max(0, count - visibleRows(state)));
    if ((state->style & WS_VSCROLL) != 0)
        state->object->setScrollInfo(SB_VERT, {0, std::max(0, count - 1), visibleRows(state), list.topIndex});
}

class StateRows final : public ListBoxRows
{
public:
    explicit StateRows(WindowState* state) : state_(state), list_(state->listBox) {}

    int32_t count() const override { return static_cast<int32_t>(list_.items.size()); }
    std::string text(int32_t row) const override { return list_.items[row].text; }
    intptr_t data(int32_t row) const override { return list_.items[row].data; }
    void setData(int32_t row, intptr_t data) override { list_.items[row].data = data; }
    void insert(int32_t row, const std::string& text) override
    {
        list_.items.insert(list_.items.begin() + row, ListBoxItem{text, 0});
    }
    void erase(int32_t row) override
    {
        list_.items.erase(list_.items.begin() + row);
        if (list_.selection == row)
            list_.selection = -1;
        else if (list_.selection > row)
            --list_.selection;
    }
    void clear() override
    {
        list_.items.clear();
        list_.selection = -1;
        list_.topIndex = 0;
    }
    int32_t selection() const override { return list_.selection; }
    void select(int32_t row) override { list_.selection = row; }
    int32_t topIndex() const override { return list_.topIndex; }
    void setTopIndex(int32_t row) override { list_.topIndex = row; }
    int32_t itemHeight() const override { return list_.itemHeight; }
    Rect itemRect(int32_t row) const override
    {
        const int32_t top = (row - list_.topIndex) * list_.itemHeight;
        return {0, top, clientSize(state_).width(), top + list_.itemHeight};
    }
    void changed() override
    {
        if (state_->object == nullptr)
            return;
        syncListScrollBar(state_);
        state_->object->invalidate(true);
    }

private:
    WindowState* state_;
    WindowState::ListBoxState& list_;
};

LResult scroll(WindowState* state, WParam wParam)
{
    const int32_t count = static_cast<int32_t>(state->listBox.items.size());
    int32_t top = state->listBox.topIndex;
    switch (lowWord(wParam))
    {
    case SB_LINEUP:
        --top;
        break;
    case SB_LINEDOWN:
        ++top;
        break;
    case SB_PAGEUP:
        top -= visibleRows(state);
        break;
    case SB_PAGEDOWN:
        top += visibleRows(state);
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = count;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        top = static_cast<int32_t>(highWord(wParam));
        break;
    default:
        return 0;
    }
    state->listBox.topIndex = top;
    syncListScrollBar(state);
    state->object->invalidate(true);
    return 0;
}

// Selection by the mouse, scrolling and resizing.
LResult pointerAndScrolling(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    handled = true;
    WindowState::ListBoxState& list = state->listBox;
    if (message == WM_LBUTTONDOWN && (state->style & LBS_NOSEL) == 0)
    {
        const int32_t row = list.topIndex + pointFromLParam(lParam).y / list.itemHeight;
        if (row >= 0 && row < static_cast<int32_t>(list.items.size()) && row != list.selection)
        {
            list.selection = row;
            state->object->invalidate(true);
            if ((state->style & LBS_NOTIFY) != 0)
                state->object->notifyParent(LBN_SELCHANGE);
        }
        return 0;
    }
    if (message == WM_LBUTTONDBLCLK && (state->style & LBS_NOTIFY) != 0)
    {
        state->object->notifyParent(LBN_DBLCLK);
        return 0;
    }
    if (message == WM_VSCROLL)
        return scroll(state, wParam);
    if (message == WM_SIZE)
    {
        syncListScrollBar(state);
        return 0;
    }
    handled = false;
    return 0;
}

LResult ownerDrawListBoxMessage(WindowState* state, uint32_t message, WParam wParam, LParam lParam, bool& handled)
{
    StateRows rows(state);
    const LResult result = listBoxMessage(state, rows, message, wParam, lParam, handled);
    if (handled)
        return result;
    return pointerAndScrolling(state, message, wParam, lParam, handled);
}

// One WM_DRAWITEM record per visible row.
void paintRows(WindowState* state)
{
    const WindowHandle handle = state->handle;
    std::shared_ptr<DeviceContext> dc = makeWindowDC(state);
    const bool disabled = (state->style & WS_DISABLED) != 0;
    const int32_t height = clientSize(state).height();
    const int32_t width = clientSize(state).width();
    for (int32_t row = state->listBox.topIndex; row < static_cast<int32_t>(state->listBox.items.size()); ++row)
    {
        const WindowState::ListBoxState& list = state->listBox;
        const int32_t top = (row - list.topIndex) * list.itemHeight;
        if (top >= height)
            break;
        DrawItemRecord record;
        record.controlType = ODT_LISTBOX;
        record.controlId = static_cast<uint32_t>(state->id);
        record.itemId = static_cast<uint32_t>(row);
        record.itemAction = ODA_DRAWENTIRE;
        record.itemState = (row == list.selection ? ODS_SELECTED : 0) | (disabled ? ODS_DISABLED : 0);
        record.window = handle;
        record.dc = dc.get();
        record.itemRect = {0, top, width, top + list.itemHeight};
        record.itemData = static_cast<uintptr_t>(list.items[row].data);
        sendDrawItem(handle, record);
        state = WindowState::of(handle);
        if (state == nullptr)
            return;
    }
}

} // namespace

const ControlKindBehaviour ownerDrawListBoxBehaviour{.message = ownerDrawListBoxMessage, .paint = paintRows};

} // namespace platform
