#include "uikit/ToolbarCustomizing.h"

#include "platform/SystemValues.h"

platform::NotifyToolbar* toolbarNotification(uint32_t message, platform::LParam lParam, int32_t toolbarId)
{
    if (message != platform::WM_NOTIFY)
        return nullptr;
    auto* header = reinterpret_cast<platform::NotifyHeader*>(lParam);
    if (header == nullptr || header->idFrom != static_cast<std::uintptr_t>(toolbarId))
        return nullptr;
    return reinterpret_cast<platform::NotifyToolbar*>(header);
}

std::optional<platform::LResult> answerCustomizing(platform::NotifyToolbar& notification, size_t count,
                                                   const std::function<OfferedButton(size_t)>& offered,
                                                   const std::function<void()>& changed)
{
    switch (notification.header.code)
    {
    case platform::TBN_QUERYINSERT:
    case platform::TBN_QUERYDELETE:
        return 1;
    case platform::TBN_GETBUTTONINFO:
    {
        if (notification.item < 0 || static_cast<size_t>(notification.item) >= count)
            return 0;
        const OfferedButton button = offered(static_cast<size_t>(notification.item));
        notification.answer(*button.button, button.name);
        return 1;
    }
    case platform::TBN_TOOLBARCHANGE:
        changed();
        return 1;
    default:
        return std::nullopt;
    }
}
