#include "platform/CommandRouting.h"

namespace platform
{

CommandTarget::~CommandTarget() = default;

void CommandTarget::onCommand(std::uint32_t id, std::function<void()> handler)
{
    commands_[id] = std::move(handler);
}

void CommandTarget::onCommandRange(std::uint32_t first, std::uint32_t last, Handler handler)
{
    ranges_.push_back({first, last, std::move(handler)});
}

void CommandTarget::onUpdate(std::uint32_t id, UpdateHandler handler)
{
    updates_[id] = std::move(handler);
}

bool CommandTarget::hasCommandHandler(std::uint32_t id) const
{
    if (commands_.count(id) != 0)
        return true;
    for (const Range& range : ranges_)
        if (id >= range.first && id <= range.last)
            return true;
    return false;
}

bool CommandTarget::routeCommand(std::uint32_t id)
{
    if (auto found = commands_.find(id); found != commands_.end())
    {
        if (found->second)
            found->second();
        return true;
    }
    for (const Range& range : ranges_)
        if (id >= range.first && id <= range.last)
        {
            if (range.handler)
                range.handler(id);
            return true;
        }
    return false;
}

bool CommandTarget::routeUpdate(CommandState& state)
{
    if (auto found = updates_.find(state.id()); found != updates_.end())
    {
        if (found->second)
            found->second(state);
        return true;
    }
    return hasCommandHandler(state.id());
}

bool CommandRouter::execute(std::uint32_t id) const
{
    if (!chain_ || id == kPlaceholderCommandId)
        return false;
    for (CommandTarget* target : chain_())
        if (target != nullptr && target->routeCommand(id))
            return true;
    return false;
}

void CommandRouter::update(CommandState& state) const
{
    if (state.id() == kPlaceholderCommandId)
    {
        state.Enable(false);
        return;
    }
    if (chain_)
        for (CommandTarget* target : chain_())
            if (target != nullptr && target->routeUpdate(state))
                return;
    if (state.id() < kFirstSystemCommandId)
        state.Enable(false);
}

} // namespace platform
