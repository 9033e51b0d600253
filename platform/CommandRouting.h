#pragma once

#include "platform/CommandIds.h"
#include "platform/PlatformApi.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform
{

// What an update handler sets for one command before its menu entry or toolbar button is shown.
// The operations keep the system's names because plugins call them across the module boundary.
class PLATFORM_API CommandState
{
public:
    explicit CommandState(std::uint32_t id) : id_(id) {}
    virtual ~CommandState() = default;
    std::uint32_t id() const { return id_; }

    virtual void Enable(bool enabled = true) = 0;
    // 0 unchecked, 1 checked, 2 mixed: a menu entry shows it checked, a toolbar button indeterminate.
    virtual void SetCheck(int check = 1) = 0;
    // A radio mark in menus; a checked button on toolbars.
    virtual void SetRadio(bool on = true) = 0;
    // Menu entries only; toolbar buttons ignore it.
    virtual void SetText(const std::string& text) = 0;

private:
    std::uint32_t id_;
};

// One link of the command chain (view, document, child frame, main frame, application): its
// command handlers and update handlers by id.
class PLATFORM_API CommandTarget
{
public:
    using Handler = std::function<void(std::uint32_t id)>;
    using UpdateHandler = std::function<void(CommandState& state)>;

    virtual ~CommandTarget();

    void onCommand(std::uint32_t id, std::function<void()> handler);
    // One handler for every id in [first, last].
    void onCommandRange(std::uint32_t first, std::uint32_t last, Handler handler);
    void onUpdate(std::uint32_t id, UpdateHandler handler);

    // True when this target handled the command.
    virtual bool routeCommand(std::uint32_t id);
    // True when this target has an update handler (which ran) or a command handler for the id (the
    // command then stays enabled).
    virtual bool routeUpdate(CommandState& state);

private:
    bool hasCommandHandler(std::uint32_t id) const;

    std::map<std::uint32_t, std::function<void()>> commands_;
    struct Range
    {
        std::uint32_t first;
        std::uint32_t last;
        Handler handler;
    };
    std::vector<Range> ranges_;
    std::map<std::uint32_t, UpdateHandler> updates_;
};

// Walks the chain of command targets that is current at the moment of the call.
class PLATFORM_API CommandRouter
{
public:
    using Chain = std::function<std::vector<CommandTarget*>()>;

    void setChain(Chain chain) { chain_ = std::move(chain); }

    // Runs the first handler of the chain; false when no target handles the id.
    bool execute(std::uint32_t id) const;
    // Asks the chain to update the state. A command nobody handles is disabled when its id is
    // below the system range; placeholder entries (65535) are always disabled.
    void update(CommandState& state) const;

private:
    Chain chain_;
};

} // namespace platform
