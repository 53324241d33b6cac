// Any bytes as a saved tape: reading never fails other than with a reason,
// and what it gives is a tape: valid UTF-8, every line ended by CR LF, no
// lone CR or LF, and read again it stays the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/TapeCommands.h"

using namespace zorv::engine;

namespace {

bool validUtf8(const std::string& s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tapefile::Loaded loaded = tapefile::decode(std::string(reinterpret_cast<const char*>(data), size));
    if (!loaded.error.empty()) {
        if (!loaded.text.empty()) std::abort();
        return 0;
    }
    const std::string& t = loaded.text;
    if (!validUtf8(t)) std::abort();
    if (!t.empty() && !t.ends_with("\r\n")) std::abort();
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' && (i + 1 >= t.size() || t[i + 1] != '\n')) std::abort();
        if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) std::abort();
    }
    // A tape read back is the same tape (a second byte-order mark at the
    // start would be dropped the second time).
    if (!t.starts_with("\xEF\xBB\xBF")) {
        const tapefile::Loaded again = tapefile::decode(t);
        if (!again.error.empty() || again.text != t) std::abort();
    }
    return 0;
}
