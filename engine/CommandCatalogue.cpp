#include "CommandCatalogue.h"

#include <algorithm>

namespace zorv::engine {

void CommandCatalogue::add(CommandId id, Handler handler, CheckState checked) {
    Entry& e = entry(id);
    e = Entry{std::move(handler), {}, std::move(checked), true, e.registrations + 1};
}

void CommandCatalogue::addWithArgument(CommandId id, ArgHandler handler) {
    Entry& e = entry(id);
    e = Entry{{}, std::move(handler), {}, true, e.registrations + 1};
}

bool CommandCatalogue::contains(CommandId id) const { return entry(id).registered; }

bool CommandCatalogue::run(CommandId id) const {
    const Entry& e = entry(id);
    if (!e.registered) return false;
    if (e.handler) e.handler();
    return true;
}

std::optional<bool> CommandCatalogue::checked(CommandId id) const {
    const Entry& e = entry(id);
    if (!e.registered || !e.checked) return std::nullopt;
    return e.checked();
}

bool CommandCatalogue::contains(std::string_view text) const {
    const auto id = commandByText(text);
    return id && contains(*id);
}

bool CommandCatalogue::run(std::string_view text) const {
    if (const auto id = commandByText(text); id && invoke(*id)) return true;
    const auto blank = text.find(' ');
    if (blank != std::string_view::npos) {
        const auto id = argumentCommandByWord(text.substr(0, blank));
        if (id && entry(*id).registered && entry(*id).argHandler) {
            entry(*id).argHandler(text.substr(blank + 1));
            return true;
        }
    }
    return false;
}

std::optional<bool> CommandCatalogue::checked(std::string_view text) const {
    const auto id = commandByText(text);
    if (!id) return std::nullopt;
    return checked(*id);
}

std::vector<std::string> CommandCatalogue::names() const {
    std::vector<std::string> out;
    for (const auto& row : commandTable())
        if (contains(row.id) && !row.text.empty()) out.emplace_back(row.text);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<CommandId> CommandCatalogue::registered() const {
    std::vector<CommandId> out;
    for (const auto& row : commandTable())
        if (contains(row.id)) out.push_back(row.id);
    return out;
}

std::vector<CommandId> CommandCatalogue::registeredTwice() const {
    std::vector<CommandId> out;
    for (const auto& row : commandTable())
        if (entry(row.id).registrations > 1) out.push_back(row.id);
    return out;
}

}  // namespace zorv::engine
