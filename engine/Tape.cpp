#include "Tape.h"

namespace zorv::engine {

void Tape::post(std::string_view entry) {
    const std::size_t start = text_.size();
    text_.append(entry);
    text_.append("\r\n");
    if (onChange) onChange(std::string_view(text_).substr(start), false);
}

void Tape::append(std::string_view text) {
    const std::size_t start = text_.size();
    text_.append(text);
    if (onChange) onChange(std::string_view(text_).substr(start), false);
}

void Tape::setText(std::string text) {
    text_ = std::move(text);
    if (onChange) onChange(text_, true);
}

}  // namespace zorv::engine
