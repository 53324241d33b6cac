#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::engine {

// The one table from command name to handler. Keypad keys, menu items,
// toolbar buttons, the tray menu and batch mode's {NAME} all run commands
// through it, so a command registered once is reachable from everywhere.
//
// A command may carry a check state (mode toggles); menus show those as
// check items. Commands that take an argument ("Convert 3", "Eval 2+3") are
// registered by their first word and receive the rest of the text.
class CommandCatalogue {
public:
    using Handler = std::function<void()>;
    using ArgHandler = std::function<void(std::string_view argument)>;
    using CheckState = std::function<bool()>;

    // Registers (or replaces) a command.
    void add(std::string name, Handler handler, CheckState checked = {});
    // Registers a command that takes an argument after its first word.
    void addWithArgument(std::string word, ArgHandler handler);

    bool contains(std::string_view name) const;
    // Runs the command named `text` (or, failing that, an argument command
    // whose word starts `text`); false when nothing matches.
    bool run(std::string_view text) const;
    // The check state of a checkable command; nullopt for plain commands.
    std::optional<bool> checked(std::string_view name) const;
    std::vector<std::string> names() const;

    // Called by run() for a text that is not a registered command name,
    // before the argument commands are tried; returns true when it dealt
    // with the text. Lets a feature answer for names it knows but whose
    // command is not registered (yet), without those names counting as
    // registered for contains() and so enabling their menu items. Tried
    // before the argument commands so that a name such as "Convert to
    // Fractions" is not taken for the "Convert" command with an argument.
    void setFallback(std::function<bool(std::string_view text)> fallback) {
        fallback_ = std::move(fallback);
    }

private:
    struct Entry {
        Handler handler;
        CheckState checked;
    };
    std::map<std::string, Entry, std::less<>> commands_;
    std::map<std::string, ArgHandler, std::less<>> argCommands_;
    std::function<bool(std::string_view)> fallback_;
};

}  // namespace zorv::engine
