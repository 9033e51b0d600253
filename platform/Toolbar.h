#pragma once

#include "platform/ControlNotifications.h"
#include "platform/Geometry.h"
#include "platform/PlatformApi.h"
#include "platform/ToolbarButton.h"
#include "platform/Window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform
{

class CommandRouter;
class DeviceContext;
class ImageList;
struct ToolbarState;

// One button the owner offers for customising: its record and its name.
struct AvailableButton
{
    ToolbarButton button;
    std::string text;
};

// A bar of buttons drawn from an image list (window class "ToolbarWindow32"). Buttons are the
// system's records: separators, check and check-group buttons, states set from code without
// notifying, and wrapping into rows (TBSTYLE_WRAPABLE, or when the bar floats). A click sends
// WM_COMMAND with the button's id to the parent, then NM_CLICK. With CCS_ADJUSTABLE the user may
// customise the bar (a double click opens the dialog); every step asks the parent first
// (TBN_QUERYINSERT, TBN_QUERYDELETE), the buttons on offer come from TBN_GETBUTTONINFO, and
// TBN_TOOLBARCHANGE tells of the change.
// The object keeps its buttons also before its window exists (and after it is gone). With
// TBSTYLE_FLAT a button shows its raised edge only under the mouse.
class PLATFORM_API Toolbar : public Window
{
public:
    Toolbar();
    ~Toolbar() override;

    static constexpr const char* kClassName = "ToolbarWindow32";
    static constexpr Size kButtonSize{23, 22};
    static constexpr int kSeparatorWidth = 8;
    // Room for a button's name in TBN_GETBUTTONINFO.
    static constexpr int kButtonTextLimit = 128;

    bool create(std::uint32_t style, const Rect& rect, Window* parent, std::int32_t id);

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

    // Room around the buttons, in pixels; the sizes the bar answers include it.
    void setBorders(int left, int top, int right, int bottom);
    // Paints the bar's frame around the buttons (the whole window, `size`), before the buttons
    // are drawn over it. The default paints nothing: the button face shows.
    virtual void paintNonClient(DeviceContext& context, Size size);

    // Buttons wrap into rows when the bar is narrower than they are.
    void setWrapable(bool wrapable);
    // A bar docked at the left or right side lays its buttons out in one column.
    void setVertical(bool vertical);
    bool isVertical() const;
    // Lays the buttons out for `width` (wrapping when allowed) and answers the size they need.
    Size layoutForWidth(int width);
    // Sizes the bar to its buttons and answers the size.
    Size autoSize();
    int rowCount() const;
    // The button's place in the bar, empty for hidden buttons or out of range.
    Rect buttonRect(int index) const;

    // The tooltip of a command id (empty: no tip) and who hears the button under the mouse
    // (0 when it leaves the buttons); the frame sets both.
    void setTooltipProvider(std::function<std::string(std::uint32_t id)> provider);
    void setHoverListener(std::function<void(std::uint32_t id)> listener);

    // Asks the router for each button's state (the idle update).
    void updateCommandStates(const CommandRouter& router);

    // The user's click on button `index`, as the mouse does it: toggles check buttons, then
    // sends the command and NM_CLICK. Disabled buttons and separators do nothing.
    void click(int index);

    // The user's customising steps, each allowed by the parent first.
    std::vector<AvailableButton> availableButtons();
    bool customizeRemove(int index);
    bool customizeInsert(int index, int availableIndex);
    bool customizeMove(int from, int to);
    // Ends customising: the parent hears TBN_TOOLBARCHANGE when something changed.
    void endCustomize();
    // Opens the customise dialog (modal, through the interaction service) on the bar; the parent
    // hears TBN_TOOLBARCHANGE after it when something changed.
    void customize();
    // The name a person knows the button by: its command's tooltip, else the name its owner offers
    // it under; "Separator" for separators. The second form takes the offered buttons from a caller
    // that names several buttons, so that the owner is asked once.
    std::string buttonName(int index);
    std::string buttonName(int index, const std::vector<AvailableButton>& offered);

protected:
    LResult windowProc(std::uint32_t message, WParam wParam, LParam lParam) override;

private:
    friend ToolbarState& toolbarStateOf(Toolbar& toolbar);
    std::unique_ptr<ToolbarState> buttons_;
};

} // namespace platform
