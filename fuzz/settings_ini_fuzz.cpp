// Hostile INI text through the settings reader: whatever the file holds,
// reading the start-up values never fails and every value is in its range;
// writing a key back and reading again keeps it. The same text is also
// read line by line as "key=value" pairs straight into the store, so the
// fuzzer steers the values our conversions see.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "shell/IniFileBackend.h"
#include "shell/SettingsKeys.h"
#include "shell/StartupSequence.h"
#include "shell/StartupSettings.h"

using namespace zorv::shell;

namespace {

void check(SettingsStore& store) {
    const StartupValues v = readStartupValues(store);
    if (v.tapeSize < 0.4 || v.tapeSize > 3.5) std::abort();
    if (v.tapeFont.size < 1 || v.tapeFont.size > 400 || v.tapeFont.name.empty()) std::abort();
    if (v.startYear >= v.endYear || v.startYear < 100 || v.endYear > 9999) std::abort();
    zorv::engine::Modes m;
    applyModeSettings(store, m);
    if (m.decimalPlaces < 2 || m.decimalPlaces > 15 || (m.addingMachine && m.rpn)) std::abort();
    const auto symbols = readLocaleSymbols(store);
    if (symbols.decimal.empty() || symbols.decimal == symbols.thousand) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    auto memory = std::make_unique<MemorySettingsBackend>();
    std::string section = "Startup";
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.find(']') == std::string::npos ? std::string::npos : line.find(']') - 1);
        } else if (const auto eq = line.find('='); eq != std::string::npos) {
            memory->values[{section, line.substr(0, eq)}] = line.substr(eq + 1);
        }
        start = end + 1;
    }
    SettingsStore direct(std::move(memory));
    check(direct);

        static int serial = 0;
    const std::string path = "/tmp/settings_ini_fuzz." + std::to_string(getpid()) + "." +
                             std::to_string(serial++ % 64) + ".ini";
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << text;
    }
    auto file = std::make_unique<IniFileBackend>(path);
    IniFileBackend& backend = *file;
    SettingsStore store(std::move(file));
    check(store);
    writeNumber(store, key::TapeSize, 0.75);
    store.backend().sync();
    // A file that did not read as an INI file is never rewritten.
    if (backend.failed()) {
        std::ifstream f(path, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        if (after != text) std::abort();
    } else {
        SettingsStore again(std::make_unique<IniFileBackend>(path));
        if (readNumber(again, key::TapeSize) != 0.75) std::abort();
        // Only the changed value changed: every other value reads as before.
        const IniDocument before = IniDocument::parse(text);
        std::ifstream f(path, std::ios::binary);
        const IniDocument written = IniDocument::parse(
            std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()));
        for (const char* k : {"Font", "Font Size", "RPN Mode", "Decimal Places", "Calc Top"})
            if (before.value("Startup", k) != written.value("Startup", k)) std::abort();
        if (before.value("Intl", "sDecimal") != written.value("Intl", "sDecimal")) std::abort();
    }
    std::remove(path.c_str());
    return 0;
}
