#pragma once

#include "platform/Geometry.h"
#include "platform/Message.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

class CommandRouter;

// A menu bar or a popup menu, built and changed at run time. Entries are plain entries (command
// id and text, "&" marking the access key and "\t" the hot-key text), separators and popups.
// Submenus belong to their menu: a pointer to one stays valid while its entry exists.
class PLATFORM_API Menu
{
public:
    enum class Kind
    {
        Bar,
        Popup
    };

    explicit Menu(Kind kind = Kind::Popup);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    Kind kind() const;
    int entryCount() const;
    // The entry's text as it was given, "&" and "\t..." included; empty for separators.
    std::string entryText(int position) const;
    // The entry's command id; 0 for popups and separators (and positions out of range).
    std::uint32_t commandId(int position) const;
    bool isSeparator(int position) const;
    // The popup the entry opens; null for plain entries, separators and positions out of range.
    Menu* submenu(int position) const;
    // The position of the plain entry with this command id in this menu (not its submenus), or -1.
    int findCommand(std::uint32_t id) const;

    bool removeEntry(int position);
    // A new empty popup before `position` (at the end when position is the entry count or more).
    Menu* insertPopup(int position, const std::string& label);
    Menu* appendPopup(const std::string& label);
    // A plain entry before `position` (at the end when position is the entry count or more). An
    // entry with the same command id already in this menu gets the new text instead, so an item
    // added twice appears once.
    void insertItem(int position, std::uint32_t id, const std::string& text);
    void appendItem(std::uint32_t id, const std::string& text);
    void appendSeparator();

    bool isEnabled(int position) const;
    int checkState(int position) const; // 0, 1 or 2
    bool isRadio(int position) const;
    void setEnabled(int position, bool enabled);
    void setCheck(int position, int check);
    void setRadio(int position, bool on);
    void setText(int position, const std::string& text);

    // Asks the router for the state of every plain entry of this menu. Popups do it themselves
    // just before they open (with the router of the menu bar or context menu they belong to).
    void updateCommandStates(const CommandRouter& router);

    // Where the commands chosen in this menu and its submenus go, the router that updates the
    // entries before a popup opens, and who hears the entry under the mouse (0 when none).
    void setCommandSink(std::function<void(std::uint32_t id)> sink);
    void setRouter(const CommandRouter* router);
    void setHoverListener(std::function<void(std::uint32_t id)> listener);

    // Shows the popup as a context menu at a screen point, its left or right edge there; waits for
    // the choice and answers the chosen command id (0 when none). The chosen id goes to the
    // owner as WM_COMMAND (and to the command sink, when there is one).
    std::uint32_t trackPopup(Point screenPoint, bool rightAligned = false, WindowHandle owner = WindowHandle::None);

    struct State;
    State& state() const { return *state_; }

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
