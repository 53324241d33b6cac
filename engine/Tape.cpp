#include "Tape.h"

namespace zorv::engine {

void Tape::post(std::string_view entry) {
    const std::size_t start = text_.size();
    text_.append(entry);
    text_.append("\r\n");
    changed(std::string_view(text_).substr(start), false);
}

void Tape::append(std::string_view text) {
    const std::size_t start = text_.size();
    text_.append(text);
    changed(std::string_view(text_).substr(start), false);
}

void Tape::setText(std::string text) {
    text_ = std::move(text);
    changed(text_, true);
}

int Tape::addListener(Listener listener) {
    listeners_.emplace_back(++nextListener_, std::move(listener));
    return nextListener_;
}

void Tape::removeListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Tape::changed(std::string_view text, bool replaced) const {
    for (const auto& [id, listener] : listeners_) listener(text, replaced);
}

}  // namespace zorv::engine
