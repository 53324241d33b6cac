// Any bytes as a kept tape's journal: reading never fails, and what it
// gives, written back as a journal, reads again the same with nothing
// skipped.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "journal/TapeJournal.h"

using namespace zorv::journal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const JournalRead r = readJournal(bytes);
    if (r.state.item < 0) std::abort();
    const JournalRead again = readJournal(journalSnapshot(r.state));
    if (!again.skipped.empty() || again.state.text != r.state.text || again.state.item != r.state.item ||
        again.state.unlocked != r.state.unlocked)
        std::abort();
    return 0;
}
