#pragma once

// Private to the platform library: where a text goes in a list kept sorted, for the sorted styles
// of list boxes and combo boxes.

#include <QString>

namespace platform
{

// The place of `text` among `count` texts sorted ignoring case (`textAt(index)` gives each as a
// QString): after those equal to it, so equal texts keep the order they came in.
template <class TextAt>
int sortedPosition(int count, const QString& text, TextAt textAt)
{
    for (int index = 0; index < count; ++index)
        if (QString::compare(text, textAt(index), Qt::CaseInsensitive) < 0)
            return index;
    return count;
}

} // namespace platform
