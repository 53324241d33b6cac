#include "StartupSettings.h"

#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "engine/ModeTable.h"
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

// Why a character cannot separate the parts of a number, or "" when it can.
// Digits, letters and the operator keys are read as keys of their own, and a
// control character cannot be shown.
std::string unusableSymbol(const std::string& s, bool decimal) {
    const QList<uint> points = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).toUcs4();
    if (points.isEmpty()) return "it is empty";
    const char32_t c = points.front();
    if (QChar::isDigit(c) || QChar::isNumber(c)) return "it is a digit";
    if (QChar::isLetter(c)) return "it is a letter";
    if (c < 0x80 && std::string_view("+-*/%=^()").find(static_cast<char>(c)) != std::string_view::npos)
        return "it is an operator";
    const auto category = QChar::category(c);
    if (category == QChar::Other_Control || category == QChar::Other_Format ||
        category == QChar::Other_NotAssigned || category == QChar::Other_Surrogate ||
        c == QChar::ReplacementCharacter)
        return "it is a control character";
    if (decimal && QChar::isSpace(c)) return "it is a blank";
    return {};
}

// A rejected value as the log shows it: control characters by their code,
// so that the log stays one line of text.
std::string printable(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

engine::NumberSymbols readLocaleSymbols(const SettingsStore& store,
                                        const engine::NumberSymbols& fallback,
                                        std::vector<std::string>* rejected) {
    engine::NumberSymbols s;
    const auto reject = [rejected](const char* key, const std::string& value, const std::string& why,
                                   const std::string& used) {
        if (rejected)
            rejected->push_back("[Intl] " + std::string(key) + "=\"" + printable(value) +
                                "\" is not used because " + why + "; \"" + used + "\" is used instead.");
    };
    s.decimal = symbol(store, "sDecimal", fallback.decimal);
    if (const std::string why = unusableSymbol(s.decimal, true); !why.empty()) {
        reject("sDecimal", s.decimal, why, fallback.decimal);
        s.decimal = fallback.decimal;
    }
    s.thousand = symbol(store, "sThousand", fallback.thousand);
    std::string why = unusableSymbol(s.thousand, false);
    // Equal symbols would make every number ambiguous; the decimal symbol wins.
    if (why.empty() && s.thousand == s.decimal) why = "it is the decimal symbol";
    if (!why.empty()) {
        // The default, unless that is the decimal symbol: then the other of
        // "." and ",".
        std::string used = fallback.thousand != s.decimal ? fallback.thousand
                                                         : (s.decimal == "," ? "." : ",");
        reject("sThousand", s.thousand, why, used);
        s.thousand = std::move(used);
    }
    s.currency = symbol(store, "sCurrency", fallback.currency);
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
    // The modes of the mode table that are kept between runs.
    for (const engine::ModeSpec& mode : engine::modeTable()) {
        if (mode.settingKey.empty()) continue;
        if (const SettingKey* k = findSettingKey(kStartupSection, mode.settingKey)) m.*mode.flag = readFlag(store, *k);
    }
    m.hideClearBanner = readFlag(store, key::HideC);
    m.imperialMeasures = readFlag(store, key::ImperialMeasures);
    m.troyMeasures = readFlag(store, key::TroyMeasures);
    // Adding machine and RPN exclude each other; a store holding both keeps
    // the adding machine, the mode a plain start would show.
    if (m.addingMachine) m.rpn = false;
    m.decimalPlaces = readInt(store, key::DecimalPlaces);
}

}  // namespace zorv::shell
