#include "Tape.h"

#include <algorithm>

namespace zorv::engine {

namespace {
std::size_t countLines(std::string_view text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }
}  // namespace

void Tape::appended(std::size_t start) {
    const std::string_view added = std::string_view(text_).substr(start);
    lines_ += countLines(added);
    changed(added, false);
}

void Tape::post(std::string_view entry) {
    const std::size_t start = text_.size();
    text_.append(entry);
    text_.append("\r\n");
    lastWasEntry_ = false;
    appended(start);
}

void Tape::postEntry(std::string_view text, TapeEntry entry) {
    const std::size_t start = text_.size();
    entry.line = lines_;
    if (entries_.empty()) entry.chain = 1;
    else entry.chain = entries_.back().chain + (chainOpen_ && entry.item > entries_.back().item ? 0 : 1);
    chainOpen_ = entry.op != '=';
    lastWasEntry_ = true;
    entries_.push_back(std::move(entry));
    text_.append(text);
    text_.append("\r\n");
    appended(start);
}

void Tape::append(std::string_view text) {
    const std::size_t start = text_.size();
    text_.append(text);
    lastWasEntry_ = false;
    appended(start);
}

void Tape::setText(std::string text) {
    replace(std::move(text), {}, false);
}

void Tape::replace(std::string text, std::vector<TapeEntry> entries, bool chainOpen) {
    text_ = std::move(text);
    entries_ = std::move(entries);
    lines_ = countLines(text_);
    chainOpen_ = chainOpen && !entries_.empty();
    lastWasEntry_ = false;
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
