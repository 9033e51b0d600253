#include "uikit/PropertyList.h"

#include "VornData/PropertyDescriptor.h"
#include "VornData/VornBaseObject.h"
#include "VornData/generalException.h"
#include "platform/Cursor.h"
#include "platform/DeviceContext.h"
#include "platform/Menu.h"
#include "uikit/ControlRules.h"
#include "uikit/PropertyColumns.h"
#include "uikit/PropertyListTracer.h"

#include <new>

namespace
{

// Selects the stock variable-pitch font and the transparent text background for one paint and
// puts the previous state back afterwards.
class ListPaintState
{
public:
    explicit ListPaintState(platform::DeviceContext& dc) : dc(dc), savedDepth(dc.saveDC())
    {
        dc.selectObject(platform::Font::stock(platform::ANSI_VAR_FONT));
        dc.setBkMode(platform::TRANSPARENT);
    }
    ~ListPaintState() { dc.restoreDC(savedDepth); }
    ListPaintState(const ListPaintState&) = delete;
    ListPaintState& operator=(const ListPaintState&) = delete;

private:
    platform::DeviceContext& dc;
    int32_t savedDepth;
};

// Draws inside `clip` only, until the scope ends.
class ClipScope
{
public:
    ClipScope(platform::DeviceContext& dc, const platform::Rect& clip) : dc(dc), savedDepth(dc.saveDC())
    {
        dc.intersectClipRect(clip);
    }
    ~ClipScope() { dc.restoreDC(savedDepth); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    platform::DeviceContext& dc;
    int32_t savedDepth;
};

} // namespace

// ---- CPropertyListBox ----------------------------------------------------------------------------

CPropertyListBox::CPropertyListBox()
{
    try
    {
        PropertyListTracer::instanciate();
    }
    catch (const std::bad_alloc&)
    {
        throw Exc_OutOfMemory("CPropertyListBox()");
    }
}

platform::LResult CPropertyListBox::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    // Rows cannot be selected.
    if (message == platform::WM_LBUTTONDOWN)
        return 0;
    return ListBox::windowProc(message, wParam, lParam);
}

void CPropertyListBox::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc == nullptr || record.itemAction == platform::ODA_SELECT)
        return;
    initProplistTypeArray();
    platform::DeviceContext& dc = *record.dc;
    ListPaintState paintState(dc);
    const ProplistTypeEntry* entry = currentProplistEntry();
    if (entry == nullptr)
        return;
    const platform::Rect item = record.itemRect;
    const platform::Rect rowArea = item.intersected(clientRect());
    const PropertyListTracer* tracer = PropertyListTracer::instance();
    VornBaseObject* object =
        tracer != nullptr ? tracer->getTracedObject(static_cast<uint32_t>(record.itemData)) : nullptr;

    if (object == nullptr)
    {
        ClipScope clip(dc, rowArea);
        const platform::ColorRef previous = dc.setTextColor(0x0000FF);
        dc.textOut(4, item.top, missingObjectText);
        dc.setTextColor(previous);
        return;
    }

    // A column grows to show its cells' texts whole (numbers keep all their digits); the rows and
    // the header painted before then are painted again.
    bool widened = false;
    for (ProplistColumn& column : currentProplistEntry()->columns)
        if (column.descriptor != nullptr)
            if (const std::optional<std::string> text = column.descriptor->getValueText(object, 0, 0))
                widened = PropertyColumns::widenForText(column, dc.getTextExtent(*text).width) || widened;
    if (widened)
        if (platform::Window* dialog = parent())
            for (platform::Window* sibling : dialog->children())
                if (dynamic_cast<CPropertyListHeader*>(sibling) != nullptr)
                    sibling->postMessage(CPropertyListHeader::columnsGrewMessage);

    const int32_t limit = item.right - 3;
    const bool selected = object->isSelected();
    int32_t x = 0;
    for (const ProplistColumn& column : entry->columns)
    {
        if (column.width <= 0 || column.descriptor == nullptr)
            continue;
        const PropertyDescriptor& descriptor = *column.descriptor;
        int32_t right = x + column.width + 1;
        const bool last = right >= limit;
        if (last)
            right = limit;
        x += 1;
        const platform::Rect cell{x, item.top, right, item.bottom};
        {
            ClipScope clip(dc, cell.intersected(rowArea));
            const uint32_t background = descriptor.getBackgroundColor(object);
            dc.fillSolidRect(cell, (selected ? selectedCellColour(background) : background) & 0xFFFFFF);
            dc.setTextColor(descriptor.getTextColor(object) & 0xFFFFFF);
            if (const std::optional<std::string> text = descriptor.getValueText(object, 0, 0))
                dc.textOut(x + 4, item.top, *text);
            const bool editable = (descriptor.flags & PropertyDescriptor::Editable) != 0;
            dc.draw3dRect(cell, platform::getSysColor(platform::COLOR_BTNHIGHLIGHT),
                          platform::getSysColor(editable ? platform::COLOR_BTNFACE : platform::COLOR_BTNSHADOW));
        }
        x += column.width - 1;
        if (last)
            break;
    }
    if (x < limit)
    {
        ClipScope clip(dc, rowArea);
        dc.fillSolidRect({x + 1, item.top, limit, item.bottom}, selected ? 0xC0FFC0 : 0xFFFFFF);
    }
}

// ---- CPropertyListHeader -------------------------------------------------------------------------

platform::LResult CPropertyListHeader::windowProc(uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    const platform::Point point = platform::pointFromLParam(lParam);
    switch (message)
    {
    case columnsGrewMessage:
        repaintColumns(true);
        return 0;
    case platform::WM_LBUTTONDOWN:
        leftButtonDown(point.x);
        return 0;
    case platform::WM_MOUSEMOVE:
        if (!resizing && !moving)
            break;
        mouseMove(point.x);
        return 0;
    case platform::WM_LBUTTONUP:
        if (!resizing && !moving)
            break;
        leftButtonUp(point.x);
        return 0;
    case platform::WM_RBUTTONDOWN:
        rightButtonDown(point);
        return 0;
    case platform::WM_COMMAND:
        if (command(platform::lowWord(wParam)))
            return 0;
        break;
    case platform::WM_SETCURSOR:
        setCursorOverHeader();
        break;
    default:
        break;
    }
    return Button::windowProc(message, wParam, lParam);
}

void CPropertyListHeader::leftButtonDown(int32_t x)
{
    if (resizing || moving)
        return;
    const ProplistTypeEntry* entry = currentProplistEntry();
    const int32_t hit = entry != nullptr ? PropertyColumns::hitTest(entry->columns, x) : PropertyColumns::noColumn;
    if (hit == PropertyColumns::noColumn)
        return;
    resizing = (hit & PropertyColumns::resizeZone) != 0;
    moving = !resizing;
    column = hit & ~PropertyColumns::resizeZone;
    lastX = x;
    if (resizing)
        setCapture();
    else
    {
        // The move cursor and the capture come with the cursor handling.
        setCursorOverHeader();
        invalidate(true);
    }
}

bool CPropertyListHeader::dragStillValid()
{
    const ProplistTypeEntry* entry = currentProplistEntry();
    if (entry != nullptr && column >= 0 && column < static_cast<int32_t>(entry->columns.size()))
        return true;
    releaseCapture();
    resizing = false;
    moving = false;
    return false;
}

void CPropertyListHeader::mouseMove(int32_t x)
{
    if (!dragStillValid())
        return;
    ProplistTypeEntry& entry = *currentProplistEntry();
    if (resizing)
    {
        if (x == lastX)
            return;
        PropertyColumns::resizeColumn(entry.columns[static_cast<size_t>(column)], x - lastX);
        repaintColumns(false);
        lastX = x;
        return;
    }
    if (PropertyColumns::moveColumn(entry.columns, column, lastX, x))
        repaintColumns(false);
}

void CPropertyListHeader::leftButtonUp(int32_t x)
{
    releaseCapture();
    if (resizing)
    {
        resizing = false;
        ProplistTypeEntry* entry = currentProplistEntry();
        if (entry != nullptr && column >= 0 && column < static_cast<int32_t>(entry->columns.size()) && x != lastX)
        {
            PropertyColumns::resizeColumn(entry->columns[static_cast<size_t>(column)], x - lastX);
            repaintColumns(true);
            lastX = x;
        }
        return;
    }
    moving = false;
    repaintColumns(false);
}

void CPropertyListHeader::rightButtonDown(platform::Point point)
{
    const ProplistTypeEntry* entry = currentProplistEntry();
    if (entry == nullptr)
        return;
    platform::Menu menu(platform::Menu::Kind::Popup);
    for (size_t i = 0; i < entry->columns.size(); ++i)
    {
        const PropertyDescriptor* descriptor = entry->columns[i].descriptor;
        menu.appendItem(firstColumnCommand + static_cast<uint32_t>(i),
                        descriptor != nullptr ? descriptor->getName() : "");
        menu.setCheck(static_cast<int>(i), entry->columns[i].width > 0 ? 1 : 0);
    }
    const uint32_t chosen = trackColumnMenu(menu, clientToScreen(point));
    if (chosen != 0)
        sendMessage(platform::WM_COMMAND, chosen);
}

uint32_t CPropertyListHeader::trackColumnMenu(platform::Menu& menu, platform::Point screenPoint)
{
    return menu.trackPopup(screenPoint);
}

bool CPropertyListHeader::command(uint32_t id)
{
    ProplistTypeEntry* entry = currentProplistEntry();
    if (entry == nullptr || id < firstColumnCommand || id - firstColumnCommand >= entry->columns.size())
        return false;
    ProplistColumn& toggled = entry->columns[id - firstColumnCommand];
    toggled.width = -toggled.width;
    repaintColumns(false);
    return true;
}

void CPropertyListHeader::setCursorOverHeader()
{
    platform::Cursor* cursor = platform::loadStandardCursor(platform::IDC_ARROW);
    if (resizing)
        cursor = platform::loadStandardCursor(platform::IDC_SIZEWE);
    else if (moving)
    {
        setCapture();
        cursor = platform::loadStandardCursor(platform::IDC_SIZEALL);
    }
    else
    {
        const ProplistTypeEntry* entry = currentProplistEntry();
        const int32_t x = screenToClient(platform::cursorPosition()).x;
        if (entry != nullptr && (PropertyColumns::hitTest(entry->columns, x) & PropertyColumns::resizeZone) != 0)
            cursor = platform::loadStandardCursor(platform::IDC_SIZEWE);
    }
    // This header's cursor only: the other buttons keep theirs.
    setWindowCursor(cursor);
}

void CPropertyListHeader::repaintColumns(bool eraseList)
{
    invalidate(true);
    if (platform::Window* dialog = parent())
        for (platform::Window* sibling : dialog->children())
            if (dynamic_cast<CPropertyListBox*>(sibling) != nullptr)
                sibling->invalidate(eraseList);
}

void CPropertyListHeader::drawItem(platform::DrawItemRecord& record)
{
    if (record.dc == nullptr)
        return;
    initProplistTypeArray();
    platform::DeviceContext& dc = *record.dc;
    ListPaintState paintState(dc);
    const platform::Rect rect = record.itemRect;
    platform::Rect edge = rect;
    dc.drawEdge(edge, platform::EDGE_ETCHED,
                platform::BF_LEFT | platform::BF_TOP | platform::BF_RIGHT | platform::BF_MIDDLE);
    const ProplistTypeEntry* entry = currentProplistEntry();
    if (entry == nullptr)
        return;
    int32_t x = 2;
    const int32_t top = rect.top + 1;
    const int32_t limit = rect.right - 3;
    for (size_t i = 0; i < entry->columns.size(); ++i)
    {
        const ProplistColumn& column = entry->columns[i];
        if (column.width <= 0)
            continue;
        const char* name = column.descriptor != nullptr ? column.descriptor->getName() : "";
        int32_t right = x + column.width + 2;
        const bool last = right >= limit;
        if (last)
            right = limit;
        {
            ClipScope clip(dc, {x + 2, top, right, rect.bottom});
            if (moving && static_cast<int32_t>(i) == this->column)
            {
                dc.fillRect({x + 2, top + 1, right, rect.bottom}, platform::Brush::stock(platform::GRAY_BRUSH));
                const platform::ColorRef previous = dc.setTextColor(0xFFFFFF);
                dc.textOut(x + 4, 3, name != nullptr ? name : "");
                dc.setTextColor(previous);
            }
            else
                dc.textOut(x + 4, 3, name != nullptr ? name : "");
            x += column.width;
            platform::Rect separator{x, top, right, rect.bottom};
            dc.drawEdge(separator, platform::EDGE_ETCHED, platform::BF_LEFT);
        }
        if (last)
            break;
    }
}
