#pragma once

// The basic controls and the owner-draw protocol. Every operation is a Win32-numbered message to
// the control, so a class that subclassed the control sees it first. Operations made by the
// program never raise the control's notification (setting a text, a check, a selection or a
// scroll position); only the person's own changes do.

#include "platform/Geometry.h"
#include "platform/Message.h"
#include "platform/PlatformApi.h"
#include "platform/SystemValues.h"
#include "platform/Window.h"

#include <cstdint>
#include <string>

namespace platform
{

class DeviceContext;

// WM_DRAWITEM's record (lParam; wParam is the control id). The parent's default handling passes
// it on to the control's drawItem.
struct DrawItemRecord
{
    uint32_t controlType = 0; // ODT_BUTTON, ODT_LISTBOX, ...
    uint32_t controlId = 0;
    uint32_t itemId = 0; // the row of a list box; 0xFFFFFFFF for an empty list box
    uint32_t itemAction = 0; // ODA_DRAWENTIRE, ODA_SELECT, ODA_FOCUS
    uint32_t itemState = 0; // ODS_SELECTED, ODS_FOCUS, ODS_DISABLED, ...
    WindowHandle window = WindowHandle::None;
    DeviceContext* dc = nullptr; // draws into the control's image
    Rect itemRect; // in the control's client coordinates
    uintptr_t itemData = 0;
};

// WM_MEASUREITEM's record (lParam); the parent's default handling passes it to the control.
struct MeasureItemRecord
{
    uint32_t controlType = 0;
    uint32_t controlId = 0;
    uint32_t itemId = 0;
    uint32_t itemWidth = 0;
    uint32_t itemHeight = 0;
    uintptr_t itemData = 0;
};

// Thin classes over the control messages, for code that works with a control as an object.
class PLATFORM_API Button : public Window
{
public:
    uint32_t getCheck() { return static_cast<uint32_t>(sendMessage(BM_GETCHECK)); }
    void setCheck(uint32_t state) { sendMessage(BM_SETCHECK, state); }
    uint32_t getState() { return static_cast<uint32_t>(sendMessage(BM_GETSTATE)); }
    void setState(bool pushed) { sendMessage(BM_SETSTATE, pushed ? 1 : 0); }
    // Changes the BS_ type (for example push button to check box or to default push button).
    void setButtonStyle(uint32_t style, bool redraw = true) { sendMessage(BM_SETSTYLE, style, redraw ? 1 : 0); }
    void click() { sendMessage(BM_CLICK); }
};

class PLATFORM_API Edit : public Window
{
public:
    void setSel(int32_t start, int32_t end) { sendMessage(EM_SETSEL, static_cast<WParam>(start), end); }
    void limitText(int32_t characters) { sendMessage(EM_LIMITTEXT, static_cast<WParam>(characters)); }
    void setReadOnly(bool readOnly) { sendMessage(EM_SETREADONLY, readOnly ? 1 : 0); }
};

class PLATFORM_API ListBox : public Window
{
public:
    int32_t addString(const std::string& text);
    int32_t insertString(int32_t index, const std::string& text);
    int32_t deleteString(int32_t index) { return static_cast<int32_t>(sendMessage(LB_DELETESTRING, toWParam(index))); }
    void resetContent() { sendMessage(LB_RESETCONTENT); }
    int32_t getCount() { return static_cast<int32_t>(sendMessage(LB_GETCOUNT)); }
    int32_t getCurSel() { return static_cast<int32_t>(sendMessage(LB_GETCURSEL)); }
    int32_t setCurSel(int32_t index) { return static_cast<int32_t>(sendMessage(LB_SETCURSEL, toWParam(index))); }
    intptr_t getItemData(int32_t index) { return sendMessage(LB_GETITEMDATA, toWParam(index)); }
    int32_t setItemData(int32_t index, intptr_t data)
    {
        return static_cast<int32_t>(sendMessage(LB_SETITEMDATA, toWParam(index), data));
    }
    std::string getText(int32_t index);
    int32_t findStringExact(int32_t startAfter, const std::string& text);
    int32_t getTopIndex() { return static_cast<int32_t>(sendMessage(LB_GETTOPINDEX)); }
    int32_t setTopIndex(int32_t index) { return static_cast<int32_t>(sendMessage(LB_SETTOPINDEX, toWParam(index))); }
    int32_t setItemHeight(int32_t height) { return static_cast<int32_t>(sendMessage(LB_SETITEMHEIGHT, 0, height)); }
    int32_t getItemHeight() { return static_cast<int32_t>(sendMessage(LB_GETITEMHEIGHT)); }
    Rect getItemRect(int32_t index);

private:
    static WParam toWParam(int32_t index) { return static_cast<WParam>(static_cast<intptr_t>(index)); }
};

class PLATFORM_API ScrollBar : public Window
{
public:
    void setScrollRange(int32_t minimum, int32_t maximum, bool redraw = true)
    {
        sendMessage(SBM_SETRANGE, static_cast<WParam>(minimum), maximum);
        if (redraw)
            invalidate();
    }
    int32_t setScrollPos(int32_t position, bool redraw = true)
    {
        return static_cast<int32_t>(sendMessage(SBM_SETPOS, static_cast<WParam>(position), redraw ? 1 : 0));
    }
    int32_t getScrollPos() { return static_cast<int32_t>(sendMessage(SBM_GETPOS)); }
};

} // namespace platform
