#pragma once

// Private to the platform library: the list box messages (LB_*) over the rows of either list box
// kind. The plain list box keeps its rows in the toolkit widget, the owner-drawn one in its state.

#include "platform/qt/WindowState.h"

#include <string>

namespace platform
{

class ListBoxRows
{
public:
    virtual ~ListBoxRows() = default;
    virtual int32_t count() const = 0;
    virtual std::string text(int32_t row) const = 0;
    virtual intptr_t data(int32_t row) const = 0;
    virtual void setData(int32_t row, intptr_t data) = 0;
    virtual void insert(int32_t row, const std::string& text) = 0;
    virtual void erase(int32_t row) = 0;
    virtual void clear() = 0;
    // The selected row; LB_ERR for none.
    virtual int32_t selection() const = 0;
    // Selects `row`; -1 selects none.
    virtual void select(int32_t row) = 0;
    virtual int32_t topIndex() const = 0;
    // `row` is a valid row, or 0 in an empty list.
    virtual void setTopIndex(int32_t row) = 0;
    virtual int32_t itemHeight() const = 0;
    virtual Rect itemRect(int32_t row) const = 0;
    // After any change the control shows: repaints when the rows are painted by us.
    virtual void changed() {}
};

// Handles the LB_* messages over `rows`; `handled` false for any other message.
LResult listBoxMessage(WindowState* state, ListBoxRows& rows, uint32_t message, WParam wParam, LParam lParam,
                       bool& handled);

} // namespace platform
