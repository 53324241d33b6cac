#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zorv::engine {

// The paper tape as data: one text whose lines end with CR LF. Entries are
// only ever appended at the end, so posting is an amortised O(1) append and
// the window only has to add the new text to what it shows.
class Tape {
public:
    // Appends `entry` and a CR LF. The entry may itself hold CR LF pairs.
    void post(std::string_view entry);
    // Appends text exactly as given (reports that carry their own CR LF).
    void append(std::string_view text);
    // Replaces the whole text (clearing, loading or editing the tape).
    void setText(std::string text);
    void clear() { setText({}); }

    const std::string& text() const { return text_; }
    std::size_t size() const { return text_.size(); }

    // Called after every append with the appended text; after setText with
    // `replaced` true and the whole text.
    std::function<void(std::string_view text, bool replaced)> onChange;

private:
    std::string text_;
};

}  // namespace zorv::engine
