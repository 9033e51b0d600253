#include "VornInterface/MenuPaths.h"

#include <cctype>

namespace
{

std::string withoutAccessMarks(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (char c : text)
    {
        if (c != '&')
            plain.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return plain;
}

// The last entry of `menu` whose text is the same label, or -1.
int findEntry(const EditableMenu& menu, const std::string& label)
{
    for (int position = menu.entryCount() - 1; position >= 0; --position)
    {
        if (sameMenuLabel(menu.entryText(position), label))
            return position;
    }
    return -1;
}

std::size_t skipBackslashes(const std::string& text, std::size_t position)
{
    while (position < text.size() && text[position] == '\\')
        ++position;
    return position;
}

int removeAlong(EditableMenu& menu, const std::string& text, std::size_t start)
{
    start = skipBackslashes(text, start);
    if (start >= text.size())
        return -1;
    std::size_t end = text.find('\\', start);
    bool lastPart = end == std::string::npos;
    std::string part = text.substr(start, lastPart ? std::string::npos : end - start);
    int position = findEntry(menu, part);
    if (position >= 0)
    {
        std::unique_ptr<EditableMenu> popup = menu.submenu(position);
        if (lastPart && !popup)
            menu.removeEntry(position);
        else if (!lastPart && popup && removeAlong(*popup, text, end + 1) == 0)
            menu.removeEntry(position);
    }
    return menu.entryCount();
}

} // namespace

std::string menuEntryText(const std::string& lastPart, const std::string& hotKeyText)
{
    return lastPart + "\t" + hotKeyText;
}

bool sameMenuLabel(const std::string& left, const std::string& right)
{
    return withoutAccessMarks(left) == withoutAccessMarks(right);
}

void addMenuPath(EditableMenu& menu, const std::string& path, const std::string& hotKeyText, std::uint32_t commandId)
{
    const std::string text = menuEntryText(path, hotKeyText);
    std::unique_ptr<EditableMenu> ownedCurrent;
    EditableMenu* current = &menu;
    std::size_t start = 0;
    for (;;)
    {
        start = skipBackslashes(text, start);
        std::size_t end = text.find('\\', start);
        if (end == std::string::npos)
            break;
        const std::string label = text.substr(start, end - start);
        std::unique_ptr<EditableMenu> next;
        int position = findEntry(*current, label);
        if (position >= 0)
        {
            next = current->submenu(position);
            if (!next)
            {
                // The popup takes the plain entry's place; the entry goes only once it exists.
                next = current->insertPopup(position, label);
                if (next)
                    current->removeEntry(position + 1);
            }
        }
        else
        {
            next = current->insertPopup(current->entryCount(), label);
        }
        if (next)
        {
            ownedCurrent = std::move(next);
            current = ownedCurrent.get();
        }
        start = end + 1;
    }
    current->appendItem(commandId, text.substr(start));
}

int removeMenuPath(EditableMenu& menu, const std::string& path, const std::string& hotKeyText)
{
    return removeAlong(menu, menuEntryText(path, hotKeyText), 0);
}
