#include "CommandCatalogue.h"

namespace zorv::engine {

void CommandCatalogue::add(std::string name, Handler handler, CheckState checked) {
    commands_[std::move(name)] = Entry{std::move(handler), std::move(checked)};
}

void CommandCatalogue::addWithArgument(std::string word, ArgHandler handler) {
    argCommands_[std::move(word)] = std::move(handler);
}

bool CommandCatalogue::contains(std::string_view name) const {
    return commands_.find(name) != commands_.end();
}

bool CommandCatalogue::run(std::string_view text) const {
    if (auto it = commands_.find(text); it != commands_.end()) {
        if (it->second.handler) it->second.handler();
        return true;
    }
    if (fallback_ && fallback_(text)) return true;
    const auto blank = text.find(' ');
    if (blank != std::string_view::npos) {
        if (auto it = argCommands_.find(text.substr(0, blank)); it != argCommands_.end()) {
            it->second(text.substr(blank + 1));
            return true;
        }
    }
    return false;
}

std::optional<bool> CommandCatalogue::checked(std::string_view name) const {
    auto it = commands_.find(name);
    if (it == commands_.end() || !it->second.checked) return std::nullopt;
    return it->second.checked();
}

std::vector<std::string> CommandCatalogue::names() const {
    std::vector<std::string> out;
    out.reserve(commands_.size());
    for (const auto& [name, entry] : commands_) out.push_back(name);
    return out;
}

}  // namespace zorv::engine
