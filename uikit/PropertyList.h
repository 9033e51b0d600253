#pragma once

// The property list: a header strip with the column titles of the current type (resize, move and
// hide columns) and an owner-drawn list whose rows paint the property cells of traced objects.

#include "platform/Controls.h"
#include "platform/SystemValues.h"

#include <cstdint>

namespace platform
{
class Menu;
}

class CPropertyListBox : public platform::ListBox
{
public:
    // Makes the library's tracer when there is none. Throws Exc_OutOfMemory("CPropertyListBox()").
    CPropertyListBox();

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void drawItem(platform::DrawItemRecord& record) override;

    // The text of a row whose object is gone.
    static constexpr const char* missingObjectText = "_missing_tracerlink_";
};

class CPropertyListHeader : public platform::Button
{
public:
    // The command ids of the column menu: first + column index.
    static constexpr uint32_t firstColumnCommand = 0xB000;

    CPropertyListHeader() = default;

    platform::LResult windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void drawItem(platform::DrawItemRecord& record) override;

    // Repaints the header and the dialog's list after the columns changed.
    void repaintColumns(bool eraseList);
    // Posted by the list when a column grew while it painted its rows: the header and the rows
    // painted before are painted again once that paint is over.
    static constexpr uint32_t columnsGrewMessage = platform::WM_APP + 0x50;

    bool resizing = false;
    bool moving = false;
    int32_t column = 0;
    int32_t lastX = 0;

protected:
    // Shows the column menu at a screen point and answers the chosen command id (0: none).
    virtual uint32_t trackColumnMenu(platform::Menu& menu, platform::Point screenPoint);

private:
    void leftButtonDown(int32_t x);
    void mouseMove(int32_t x);
    void leftButtonUp(int32_t x);
    void rightButtonDown(platform::Point point);
    bool command(uint32_t id);
    void setCursorOverHeader();
    // Ends a drag whose column is no longer there (the current type changed under it).
    bool dragStillValid();
};
