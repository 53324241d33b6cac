#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CommandTable.h"

namespace zorv::engine {

// The front end a composition serves. Batch mode answers every command with
// text; the window answers some with windows of its own, and those are
// registered by the window's installers alone, so no command is registered
// twice in either mode.
enum class Front : std::uint8_t { Batch, Window };

// The handlers of the commands of the command table. Keypad keys, menu
// items, toolbar buttons, the tray menu and batch mode's {NAME} all run
// commands through it, so a command registered once is reachable from
// everywhere.
//
// A command may carry a check state (mode toggles); menus show those as
// check items. The argument commands ({Convert 3}, {Eval 2+3}) receive the
// text after their word.
class CommandCatalogue {
public:
    using Handler = std::function<void()>;
    using ArgHandler = std::function<void(std::string_view argument)>;
    using CheckState = std::function<bool()>;

    // Registers a command. Each command is registered once per program
    // mode; a second registration replaces the first and is counted, so that
    // a composition that registers a command twice shows in
    // registeredTwice().
    void add(CommandId id, Handler handler, CheckState checked = {});
    // Registers a command that takes the rest of its text as an argument.
    void addWithArgument(CommandId id, ArgHandler handler);

    bool contains(CommandId id) const;
    // Runs a registered command; false when it has none.
    bool run(CommandId id) const;
    // Runs a command, or lets the fallback answer for it; false when
    // neither did.
    bool invoke(CommandId id) const { return run(id) || (fallback_ && fallback_(id)); }
    // The check state of a checkable command; nullopt for plain commands.
    std::optional<bool> checked(CommandId id) const;

    // The same by text, as batch mode and stored toolbar bindings name
    // commands: a command's catalogue text or key name, or an argument
    // command's word followed by a blank and its argument. run() returns
    // false when nothing matches.
    bool contains(std::string_view text) const;
    bool run(std::string_view text) const;
    std::optional<bool> checked(std::string_view text) const;
    // The catalogue texts of the registered commands, sorted.
    std::vector<std::string> names() const;
    std::vector<CommandId> registered() const;
    // The commands registered more than once, in table order.
    std::vector<CommandId> registeredTwice() const;

    // Called by run(text) for a command of the table that has no handler,
    // before the argument commands are tried; returns true when it dealt
    // with it. Lets a feature answer for commands this build lacks without
    // their counting as registered for contains() and so enabling their
    // menu items. Tried before the argument commands so that a name such as
    // "Convert to Fractions" is not taken for the "Convert" command with an
    // argument.
    void setFallback(std::function<bool(CommandId id)> fallback) { fallback_ = std::move(fallback); }

private:
    static constexpr std::size_t kCount = static_cast<std::size_t>(CommandId::CorrectEntryN) + 1;
    struct Entry {
        Handler handler;
        ArgHandler argHandler;
        CheckState checked;
        bool registered = false;
        int registrations = 0;
    };
    const Entry& entry(CommandId id) const { return entries_[static_cast<std::size_t>(id)]; }
    Entry& entry(CommandId id) { return entries_[static_cast<std::size_t>(id)]; }

    std::array<Entry, kCount> entries_{};
    std::function<bool(CommandId)> fallback_;
};

}  // namespace zorv::engine
