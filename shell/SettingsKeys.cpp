#include "SettingsKeys.h"

#include <array>
#include <cmath>

namespace zorv::shell {

namespace {

constexpr std::array kAllKeys{
    key::Font, key::FontSize, key::FontColor, key::FontBold, key::FontItalic, key::TapeSize,
    key::TapeHide, key::CarryResult, key::FinancialMode, key::ShowPercentage,
    key::AddingMachineMode, key::FormatNumbers, key::PercentCalculation, key::AutoDecimal,
    key::RpnMode, key::SaveMemory, key::Memory, key::HideC, key::DecimalPlaces, key::HideToolbar,
    key::StartYear, key::EndYear, key::ExitButtonMinimize, key::StartOnTop, key::CalcOnTop,
    key::StartMinimized, key::CalcTop, key::CalcLeft, key::CalcShowTop, key::CalcShowLeft,
    key::SavedSettings, key::Path, key::TapeItemCount, key::DontHideEval, key::AlarmsOn,
    key::RepeatSubtraction, key::ImperialMeasures, key::TroyMeasures, key::PublishTo,
    key::PublishType, key::BillingRate, key::ConfirmExpression, key::ConfirmBuilder,
    key::BuilderResultFtIn, key::BuilderResultToReadout, key::BuilderConvert, key::BuilderArea,
    key::BuilderVolume, key::ShowDLHelp, key::CurrencyDec, key::FromCurrency, key::ToCurrency,
    key::ExchangeRatesFile, key::ExchangeRatesUrl, key::FromUnit, key::ToUnit, key::EditorFontName, key::EditorFontSize,
    key::EditorFontBold, key::EditorFontItalic, key::ScratchWidth, key::ScratchHeight,
    key::LastFile,
};

std::string str(std::string_view s) { return std::string(s); }

std::optional<double> boundedNumber(const SettingKey& k, const std::string& text) {
    const auto v = SettingsStore::toNumber(text);
    if (!v || *v < k.minimum || *v > k.maximum) return std::nullopt;
    return v;
}

std::optional<bool> flagOf(const SettingKey& k, const std::string& text) {
    if (k.form == StoredForm::NumberFlag) {
        const auto n = SettingsStore::toNumber(text);
        if (!n) return std::nullopt;
        return *n != 0.0;
    }
    return SettingsStore::toFlag(text);
}

}  // namespace

std::span<const SettingKey> settingKeys() { return kAllKeys; }

const SettingKey* findSettingKey(std::string_view section, std::string_view name) {
    for (const SettingKey& k : kAllKeys)
        if (k.section == section && k.key == name) return &k;
    return nullptr;
}

std::string toolbarCaptionKey(int button) { return std::to_string(button) + "Caption"; }
std::string toolbarToolTipKey(int button) { return std::to_string(button) + "ToolTip"; }
std::string toolbarCaptionDefault(int button) { return std::to_string(button) + "R.Clk"; }

std::string billingRateDefault(const std::string& decimalSymbol) {
    return "100" + decimalSymbol + "00";
}

std::string exchangeRatesFileDefault(const std::string& dataFolder) {
    if (dataFolder.empty()) return str(key::ExchangeRatesFile.defaultText);
    return dataFolder + (dataFolder.back() == '/' ? "" : "/") + "currency.rt";
}

bool readFlag(const SettingsStore& store, const SettingKey& k) {
    const bool fallback = flagOf(k, str(k.defaultText)).value_or(false);
    const std::string text = store.ReadSetting(str(k.section), str(k.key), str(k.defaultText));
    return flagOf(k, text).value_or(fallback);
}

double readNumber(const SettingsStore& store, const SettingKey& k) {
    const double fallback = SettingsStore::toNumber(str(k.defaultText)).value_or(0.0);
    return readOptionalNumber(store, k).value_or(fallback);
}

int readInt(const SettingsStore& store, const SettingKey& k) {
    const double fallback = SettingsStore::toNumber(str(k.defaultText)).value_or(0.0);
    const double v = readNumber(store, k);
    if (v < -2147483648.0 || v > 2147483647.0) return static_cast<int>(fallback);
    return static_cast<int>(std::lround(v));
}

std::optional<double> readOptionalNumber(const SettingsStore& store, const SettingKey& k) {
    const std::string text = store.ReadSetting(str(k.section), str(k.key), str(k.defaultText));
    return boundedNumber(k, text);
}

std::string readText(const SettingsStore& store, const SettingKey& k) {
    return store.ReadSetting(str(k.section), str(k.key), str(k.defaultText));
}

std::string flagText(StoredForm form, bool on) {
    switch (form) {
        case StoredForm::FlagMinusOne: return on ? "-1" : "0";
        case StoredForm::FlagOneZero:
        case StoredForm::NumberFlag: return on ? "1" : "0";
        default: return on ? "True" : "False";
    }
}

void writeFlag(SettingsStore& store, const SettingKey& k, bool on) {
    store.WriteSetting(str(k.section), str(k.key), flagText(k.form, on));
}

void writeNumber(SettingsStore& store, const SettingKey& k, double value) {
    store.WriteSetting(str(k.section), str(k.key), SettingsStore::numberText(value));
}

void writeText(SettingsStore& store, const SettingKey& k, const std::string& text) {
    store.WriteSetting(str(k.section), str(k.key), text);
}

}  // namespace zorv::shell
