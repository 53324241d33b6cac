// Hostile notes files: the reader never fails on content; whatever it loads
// is written back and read again to the same book, with nothing skipped.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "notes/NotesBook.h"

using namespace zorv::notes;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const NotesLoad load = parseNotes(text);
    if (load.complete() != load.report().empty()) std::abort();
    int previous = 0;
    for (const SkippedLine& s : load.skipped) {
        if (s.line <= previous || s.reason.empty()) std::abort();
        previous = s.line;
    }
    const NotesLoad again = parseNotes(load.book.toText());
    if (!again.complete() || !(again.book == load.book)) std::abort();
    for (const Date d : load.book.dates()) {
        if (load.book.note(d).empty()) std::abort();
        const auto days = load.book.daysWithNotes(d.year(), d.month());
        bool found = false;
        for (int day : days) found = found || day == d.day();
        if (!found) std::abort();
    }
    // The note text itself as a search query finds at least its own day.
    if (!load.book.empty()) {
        const Date first = load.book.dates().front();
        const std::string note = load.book.note(first);
        // Cut where no UTF-8 continuation byte follows, as a person types.
        std::size_t cut = std::min<std::size_t>(note.size(), 20);
        while (cut > 0 && cut < note.size() && (static_cast<unsigned char>(note[cut]) & 0xC0) == 0x80) --cut;
        if (cut > 0 && load.book.search(note.substr(0, cut)).empty()) std::abort();
    }
    return 0;
}
