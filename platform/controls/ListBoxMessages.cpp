// The list box messages, the same for both list box kinds.

#include "platform/qt/ListBoxRows.h"
#include "platform/qt/SortedPosition.h"

#include <QString>

#include <algorithm>
#include <cstring>

namespace platform
{

LResult listBoxMessage(WindowState* state, ListBoxRows& rows, uint32_t message, WParam wParam, LParam lParam,
                       bool& handled)
{
    handled = true;
    const int32_t index = static_cast<int32_t>(static_cast<intptr_t>(wParam));
    const int32_t count = rows.count();
    const bool valid = index >= 0 && index < count;
    switch (message)
    {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const std::string text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        const int32_t position = message == LB_ADDSTRING
            ? ((state->style & LBS_SORT) != 0
                   ? sortedPosition(rows.count(), QString::fromStdString(text),
                                    [&](int32_t row) { return QString::fromStdString(rows.text(row)); })
                   : count)
            : (index < 0 || index > count ? count : index);
        if (message == LB_INSERTSTRING && index > count)
            return LB_ERR;
        rows.insert(position, text);
        rows.changed();
        return position;
    }
    case LB_DELETESTRING:
        if (!valid)
            return LB_ERR;
        rows.erase(index);
        rows.changed();
        return count - 1;
    case LB_RESETCONTENT:
        rows.clear();
        rows.changed();
        return 0;
    case LB_GETCOUNT:
        return count;
    case LB_SETCURSEL:
        rows.select(valid ? index : -1);
        rows.changed();
        return valid ? index : LB_ERR;
    case LB_GETCURSEL:
        return rows.selection();
    case LB_GETTEXTLEN:
    case LB_GETTEXT: {
        if (!valid)
            return LB_ERR;
        const std::string text = rows.text(index);
        if (message == LB_GETTEXT && lParam != 0)
            std::memcpy(reinterpret_cast<char*>(lParam), text.c_str(), text.size() + 1);
        return static_cast<LResult>(text.size());
    }
    case LB_GETITEMDATA:
        if (!valid)
            return LB_ERR;
        return static_cast<LResult>(rows.data(index));
    case LB_SETITEMDATA:
        if (!valid)
            return LB_ERR;
        rows.setData(index, lParam);
        return LB_OKAY;
    case LB_FINDSTRINGEXACT: {
        const QString wanted = lParam != 0 ? QString::fromUtf8(reinterpret_cast<const char*>(lParam)) : QString();
        for (int32_t step = 1; step <= count; ++step)
        {
            const int32_t candidate = (index + step) % count < 0 ? 0 : (index + step) % count;
            if (QString::compare(QString::fromStdString(rows.text(candidate)), wanted, Qt::CaseInsensitive) == 0)
                return candidate;
        }
        return LB_ERR;
    }
    case LB_GETTOPINDEX:
        return rows.topIndex();
    case LB_SETTOPINDEX:
        if (index < 0 || (index >= count && count > 0))
            return LB_ERR;
        rows.setTopIndex(index);
        rows.changed();
        return LB_OKAY;
    case LB_SETITEMHEIGHT:
        state->listBox.itemHeight = std::max<int32_t>(1, static_cast<int32_t>(lParam));
        rows.changed();
        return LB_OKAY;
    case LB_GETITEMHEIGHT:
        return rows.itemHeight();
    case LB_GETITEMRECT:
        if (!valid || lParam == 0)
            return LB_ERR;
        *reinterpret_cast<Rect*>(lParam) = rows.itemRect(index);
        return LB_OKAY;
    default:
        handled = false;
        return 0;
    }
}

} // namespace platform
