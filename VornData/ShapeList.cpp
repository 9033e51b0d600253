#include "VornData/ShapeList.h"

uint32_t ShapeList::getListLength(uint32_t index) const
{
    if (index >= getListCount())
        return 0;
    const uint32_t previousEnd = index == 0 ? 0 : words[1 + index];
    return words[2 + index] - previousEnd;
}

bool ShapeList::setListLength(uint32_t index, uint32_t length)
{
    if (index >= getListCount())
        return false;
    const uint32_t previousEnd = index == 0 ? 0 : words[1 + index];
    words[2 + index] = previousEnd + length;
    return true;
}
