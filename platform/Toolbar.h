#pragma once

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/ToolbarButton.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class CommandRouter;
class ImageList;

// Notification codes a toolbar sends its owner.
namespace toolbar_notification
{
constexpr std::int32_t Click = -2;            // a button was clicked
constexpr std::int32_t GetButtonInfo = -700;  // customising: describe available button `index`
constexpr std::int32_t QueryInsert = -706;    // customising: may a button go before `index`?
constexpr std::int32_t QueryDelete = -707;    // customising: may button `index` go?
constexpr std::int32_t ToolbarChange = -708;  // customising changed the buttons
} // namespace toolbar_notification

// One notification; the owner answers through the return value and, for GetButtonInfo, by
// filling `button` and `text` (at most textLimit - 1 characters are kept).
struct ToolbarNotification
{
    std::int32_t code = 0;
    std::int32_t index = -1;
    ToolbarButton button;
    std::string text;
    std::size_t textLimit = 128;
};

// A bar of buttons drawn from an image list. Buttons are the system's records; separators,
// check and check-group buttons, states set from code without notifying, and wrapping into
// rows. The user may customise it: every step asks the owner first.
class PLATFORM_API Toolbar
{
public:
    static constexpr Size kButtonSize{23, 22};
    static constexpr int kSeparatorWidth = 8;

    Toolbar();
    ~Toolbar();
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;

    // The images of the buttons; shared with other bars, not owned.
    void setImageList(const ImageList* images);
    const ImageList* imageList() const;

    bool addButtons(const ToolbarButton* buttons, int count);
    bool insertButton(int index, const ToolbarButton& button);
    bool deleteButton(int index);
    int buttonCount() const;
    // The record at `index`; a default record (image -1, id 0) when out of range.
    ToolbarButton button(int index) const;
    int commandToIndex(std::uint32_t id) const;
    bool setButtonState(std::uint32_t id, std::uint8_t state);
    // The state bits of the button with this id, 0 when there is none.
    std::uint8_t buttonState(std::uint32_t id) const;

    void setWindowText(const std::string& text);
    std::string windowText() const;

    // Buttons wrap into rows when the bar is narrower than they are.
    void setWrapable(bool wrapable);
    // Lays the buttons out for `width` (wrapping when allowed) and answers the size they need.
    Size layoutForWidth(int width);
    // Resizes the bar to its buttons in one row (or as laid out when wrapping) and answers the size.
    Size autoSize();
    int rowCount() const;
    // The button's place in the bar, empty for hidden buttons or out of range.
    Rect buttonRect(int index) const;

    // Where commands of clicked buttons go, who answers notifications (false when none), the
    // tooltip of a command id (empty: no tip) and who hears the button under the mouse (0: none).
    void setCommandSink(std::function<void(std::uint32_t id)> sink);
    void setNotificationHandler(std::function<bool(ToolbarNotification&)> handler);
    void setTooltipProvider(std::function<std::string(std::uint32_t id)> provider);
    void setHoverListener(std::function<void(std::uint32_t id)> listener);

    // Asks the router for each button's state (the idle update).
    void updateCommandStates(const CommandRouter& router);

    // The user's click on button `index`, as the mouse does it: toggles check buttons, then
    // sends the command and the click notification. Disabled buttons and separators do nothing.
    void click(int index);

    // The user's customising steps, each allowed by the owner's query first. The available buttons
    // are those the owner describes through GetButtonInfo for 0, 1, 2, ... until it says no.
    std::vector<ToolbarNotification> availableButtons();
    bool customizeRemove(int index);
    bool customizeInsert(int index, int availableIndex);
    bool customizeMove(int from, int to);
    // Ends customising: the owner hears ToolbarChange when something changed.
    void endCustomize();
    // Opens the customise dialog (modal) on the bar.
    void customize();

    struct State;
    State& state() const { return *state_; }

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
