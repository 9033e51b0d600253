#pragma once

// Private to the platform library: the selection of a toolkit line edit in the system's terms,
// for edit controls and the edit field of combo boxes.

#include <QLineEdit>

namespace platform
{

struct LineEditSelection
{
    int start = 0;
    int end = 0; // one past the last selected character; equal to start: only the caret
};

// Without selected text both ends are the caret's place.
inline LineEditSelection lineEditSelection(const QLineEdit& edit)
{
    if (!edit.hasSelectedText())
        return {edit.cursorPosition(), edit.cursorPosition()};
    const int start = edit.selectionStart();
    return {start, start + static_cast<int>(edit.selectedText().size())};
}

// Selects from `start` to `end`: a negative start removes the selection, a negative end or one
// past the text selects to the end.
inline void selectInLineEdit(QLineEdit& edit, int start, int end)
{
    const int length = static_cast<int>(edit.text().size());
    if (start < 0)
        edit.deselect();
    else if (end < 0 || end > length)
        edit.setSelection(start, length - start);
    else
        edit.setSelection(start, end - start);
}

} // namespace platform
