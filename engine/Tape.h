#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

    // Who is told of each change: the window shows the text, the kept tape
    // journals it. A listener is called after every append with the appended
    // text, after setText with `replaced` true and the whole text, in the
    // order the listeners were added. Listeners add and remove themselves
    // independently, so none depends on when another was made or unmade.
    using Listener = std::function<void(std::string_view text, bool replaced)>;
    // Returns the id removeListener takes. Not to be called from a listener.
    int addListener(Listener listener);
    void removeListener(int id);

private:
    void changed(std::string_view text, bool replaced) const;

    std::string text_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 0;
};

}  // namespace zorv::engine
