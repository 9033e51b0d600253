#pragma once

// The owner's side of a customisable tool bar, the same for every bar of the program: every button
// may be removed and every place takes one, the customise dialog offers the buttons the owner
// lists, and the owner hears of each change.

#include "platform/ControlNotifications.h"
#include "platform/Message.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

// One button the customise dialog offers: its record and the name it is listed under.
struct OfferedButton
{
    const platform::ToolbarButton* button;
    const char* name;
};

// The tool bar notification a window procedure got, when it is one from the bar with that id;
// null otherwise.
platform::NotifyToolbar* toolbarNotification(uint32_t message, platform::LParam lParam, int32_t toolbarId);

// The answer to a customising notification: allowed for TBN_QUERYINSERT and TBN_QUERYDELETE; for
// TBN_GETBUTTONINFO the n-th of the `count` offered buttons (`offered` (n)), and the end of the
// list beyond them; for TBN_TOOLBARCHANGE allowed after `changed` ran. No answer for any other
// notification, which the owner handles itself.
std::optional<platform::LResult> answerCustomizing(platform::NotifyToolbar& notification, size_t count,
                                                   const std::function<OfferedButton(size_t)>& offered,
                                                   const std::function<void()>& changed);
