#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Decimal.h"

namespace zorv::engine {

// What one operator key put on the tape, kept beside the text so that an
// entry can be corrected without reading its formatted line back (thousand
// groups, currency symbols, rounded financial places, item numbers).
struct TapeEntry {
    Decimal amount;          // the operand exactly as the key used it
    char op = '+';           // '+', '-', 'X', '/' or '='
    int item = 0;            // the item number the key gave it
    bool itemShown = false;  // the line shows " >item<"
    Decimal total;           // the running total after it (the result for '=')
    std::size_t line = 0;    // 0-based line of the tape text it stands on
    int chain = 0;           // which calculation it belongs to (counts up)
    bool voided = false;     // set by a correction
    std::string was;         // the first amount (and operator) as printed, once corrected
};

// The paper tape as data: one text whose lines end with CR LF. Entries are
// only ever appended at the end, so posting is an amortised O(1) append and
// the window only has to add the new text to what it shows.
class Tape {
public:
    // Appends `entry` and a CR LF. The entry may itself hold CR LF pairs.
    void post(std::string_view entry);
    // Appends an operator key's line (with any total block it carries) and
    // records what it stands for. The record's line and chain are set here.
    void postEntry(std::string_view text, TapeEntry entry);
    // Appends text exactly as given (reports that carry their own CR LF).
    void append(std::string_view text);
    // Replaces the whole text (clearing, loading or editing the tape); the
    // record of entries is dropped, as its lines may no longer match.
    void setText(std::string text);
    // Replaces text and record together (a correction, or putting back a
    // kept tape). `chainOpen`: the next entry carries on the last chain.
    void replace(std::string text, std::vector<TapeEntry> entries, bool chainOpen);
    void clear() { setText({}); }

    const std::string& text() const { return text_; }
    std::size_t size() const { return text_.size(); }
    // Complete lines (CR LF ends) in the text.
    std::size_t lineCount() const { return lines_; }

    // The entries posted since the text was last replaced, oldest first.
    const std::vector<TapeEntry>& entries() const { return entries_; }
    // True while the last entry was not a total and the text was not
    // replaced since: the next entry belongs to its calculation when its
    // item number goes on counting (C and "=" start the count again).
    // Other text posted in between (a note, a report) does not end it.
    bool chainOpen() const { return chainOpen_; }
    // True when the last change was an entry (its record is entries().back()).
    bool lastWasEntry() const { return lastWasEntry_; }

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
    void appended(std::size_t start);
    void changed(std::string_view text, bool replaced) const;

    std::string text_;
    std::vector<TapeEntry> entries_;
    std::size_t lines_ = 0;
    bool chainOpen_ = false;
    bool lastWasEntry_ = false;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 0;
};

}  // namespace zorv::engine
