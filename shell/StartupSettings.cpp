#include "StartupSettings.h"

#include <QLocale>
#include <algorithm>

#include "shell/SettingsKeys.h"

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

engine::NumberSymbols systemLocaleSymbols() {
    const QLocale locale = QLocale::system();
    engine::NumberSymbols s;
    const std::string decimal = firstCharacter(locale.decimalPoint().toStdString());
    const std::string group = firstCharacter(locale.groupSeparator().toStdString());
    const std::string currency = firstCharacter(locale.currencySymbol().toStdString());
    if (!decimal.empty()) s.decimal = decimal;
    if (!group.empty()) s.thousand = group;
    if (!currency.empty()) s.currency = currency;
    if (s.thousand == s.decimal) s.thousand = s.decimal == "," ? "." : ",";
    return s;
}

void applyModeSettings(const SettingsStore& store, engine::Modes& m) {
    m.CarryResult = readFlag(store, key::CarryResult);
    m.mnuFinCalcMode = readFlag(store, key::FinancialMode);
    m.mnuShowPercentMode = readFlag(store, key::ShowPercentage);
    m.mnuAddMachMode = readFlag(store, key::AddingMachineMode);
    m.mnuFormatNumbers = readFlag(store, key::FormatNumbers);
    m.mnuPercentForNum = readFlag(store, key::PercentCalculation);
    m.mnuAutoDecimal = readFlag(store, key::AutoDecimal);
    m.mnuTapeItems = readFlag(store, key::TapeItemCount);
    m.HideClearBanner = readFlag(store, key::HideC);
    m.mnuRepeatSubtract = readFlag(store, key::RepeatSubtraction);
    m.mnuImperialMeasures = readFlag(store, key::ImperialMeasures);
    m.mnuTroyMeassures = readFlag(store, key::TroyMeasures);
    m.mnuRpnMode = readFlag(store, key::RpnMode);
    // Adding machine and RPN exclude each other; a store holding both keeps
    // the adding machine, the mode a plain start would show.
    if (m.mnuAddMachMode) m.mnuRpnMode = false;
    m.DecimalPlaces = readInt(store, key::DecimalPlaces);
}

}  // namespace zorv::shell
