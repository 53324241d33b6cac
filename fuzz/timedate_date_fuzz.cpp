// Hostile text through the date reader: the first line is the locale's date
// pattern, the rest the typed date. Whatever comes in, the reader either
// refuses it with a message or returns a date within the range whose ISO
// text reads back as the same date; the locale form written for it reads
// back too when the pattern's separators hold no digits (and the text does
// not read as ISO, which is tried first). The same lines
// then drive the time and date operations as batch mode would.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "timedate/DateFormat.h"
#include "timedate/InputError.h"
#include "timedate/TimeDateRunner.h"

using namespace zorv::timedate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::size_t nl = text.find('\n');
    const std::string pattern = text.substr(0, nl);
    const std::string typed = nl == std::string::npos ? std::string() : text.substr(nl + 1);
    const YearRange range{1500, 2400};

    const DateFormat format(pattern);
    try {
        bool iso = false;
        const Date d = format.parse(typed, range, &iso);
        if (!range.contains(d.year())) std::abort();
        if (format.parse(d.isoText(), range) != d) std::abort();
        if (pattern.find_first_of("0123456789") == std::string::npos) {
            // A pattern such as yyyy-dd-MM writes text that reads as ISO,
            // and ISO wins; any other locale text must read back.
            bool readAsIso = false;
            if (format.parse(format.format(d), range, &readAsIso) != d && !readAsIso) std::abort();
        }
    } catch (const InputError&) {
    }

    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (lines.size() > 64) break;
    }
    TimeDateSettings settings;
    settings.dateFormat = format;
    settings.includeEndDate = size % 2 == 1;
    const std::vector<std::string> answers(lines.begin() + 1, lines.end());
    const TimeDateOutcome out = runTimeDateOperation(settings, lines[0], answers);
    if (out.ok && !out.message.empty()) std::abort();  // failed, or cancelled quietly
    for (std::string_view op : timeDateOperationNames()) {
        const TimeDateOutcome o = runTimeDateOperation(settings, op, answers);
        if (o.ok && o.tapeLines.empty()) std::abort();
    }
    return 0;
}
