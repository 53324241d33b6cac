#include "StartupSettings.h"

#include <algorithm>

namespace zorv::shell {

namespace {

std::string firstCharacter(const std::string& s) {
    if (s.empty()) return s;
    std::size_t len = 1;
    const auto lead = static_cast<unsigned char>(s[0]);
    if ((lead & 0xE0) == 0xC0) len = 2;
    else if ((lead & 0xF0) == 0xE0) len = 3;
    else if ((lead & 0xF8) == 0xF0) len = 4;
    return s.substr(0, std::min(len, s.size()));
}

std::string symbol(const SettingsStore& store, const char* key, const std::string& fallback) {
    const std::string v = firstCharacter(store.ReadSetting("Intl", key, fallback));
    return v.empty() ? fallback : v;
}

}  // namespace

engine::NumberSymbols readLocaleSymbols(const SettingsStore& store,
                                        const engine::NumberSymbols& fallback) {
    engine::NumberSymbols s;
    s.decimal = symbol(store, "sDecimal", fallback.decimal);
    s.thousand = symbol(store, "sThousand", fallback.thousand);
    s.currency = symbol(store, "sCurrency", fallback.currency);
    // A thousands symbol equal to the decimal symbol would make every number
    // ambiguous; the decimal symbol wins.
    if (s.thousand == s.decimal) s.thousand = s.decimal == "," ? "." : ",";
    return s;
}

void applyModeSettings(const SettingsStore& store, engine::Modes& m) {
    const std::string S = "Startup";
    m.CarryResult = store.readFlag(S, "Carry Result", true);
    m.mnuFinCalcMode = store.readFlag(S, "Financial Mode", true);
    m.mnuShowPercentMode = store.readFlag(S, "Show Percentage", true);
    m.mnuAddMachMode = store.readFlag(S, "Adding Machine Mode", false);
    m.mnuFormatNumbers = store.readFlag(S, "Format Numbers", true);
    m.mnuPercentForNum = store.readFlag(S, "Percent Calculation", true);
    m.mnuAutoDecimal = store.readFlag(S, "AutoDecimal", false);
    m.mnuTapeItems = store.readFlag(S, "Tape Item Count", false);
    m.HideClearBanner = store.readFlag(S, "Hide C", false);
    m.mnuRepeatSubtract = store.readFlag(S, "Repeat Subtraction", false);
    m.mnuImperialMeasures = store.readFlag(S, "Imperial Measures", false);
    m.mnuTroyMeassures = store.readFlag(S, "Troy Measures", false);
    m.mnuRpnMode = store.readNumber(S, "RPN Mode", 0) != 0;
    const int places = store.readInt(S, "Decimal Places", 2);
    m.DecimalPlaces = (places >= 2 && places <= 15) ? places : 2;
}

}  // namespace zorv::shell
