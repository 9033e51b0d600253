#pragma once

#include "platform/Geometry.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

class ImageList;

// A bare tab strip: tabs with text, an image from the control's image list and a data word.
// Selecting from code is silent; the user's change asks first (TabSelectionChanging; a nonzero
// answer keeps the current tab), then changes and tells (TabSelectionChange).
class PLATFORM_API TabControl
{
public:
    TabControl();
    ~TabControl();
    TabControl(const TabControl&) = delete;
    TabControl& operator=(const TabControl&) = delete;

    void setImageList(const ImageList* images);
    // Room around each tab's image and text.
    void setPadding(Size padding);

    // Inserts before `index` (at the end when out of range); answers the new tab's index.
    int insertItem(int index, const std::string& text, int image = -1, std::intptr_t data = 0);
    bool deleteItem(int index);
    void deleteAllItems();
    int itemCount() const;
    std::string itemText(int index) const;
    int itemImage(int index) const;
    std::intptr_t itemData(int index) const;

    int curSel() const;
    // Selects without notifying; answers the previous selection (-1 for a bad index, no change).
    int setCurSel(int index);

    void setNotificationHandler(std::function<std::intptr_t(std::int32_t code)> handler);

    struct State;
    State& state() const { return *state_; }

private:
    std::unique_ptr<State> state_;
};

} // namespace platform
