#pragma once

// Reading what a dialog put into one of its tree controls.

#include "platform/TreeControl.h"

#include <string>
#include <vector>

// The texts of the children of `parent`, in order.
inline std::vector<std::string> childTexts(platform::TreeControl& tree, platform::TreeItem parent)
{
    std::vector<std::string> texts;
    for (platform::TreeItem child = tree.childItem(parent); child != platform::TreeItem::None;
         child = tree.nextSibling(child))
        texts.push_back(tree.itemText(child));
    return texts;
}

// The first child of `parent` with that text, or None.
inline platform::TreeItem childNamed(platform::TreeControl& tree, platform::TreeItem parent, const std::string& text)
{
    for (platform::TreeItem child = tree.childItem(parent); child != platform::TreeItem::None;
         child = tree.nextSibling(child))
        if (tree.itemText(child) == text)
            return child;
    return platform::TreeItem::None;
}
