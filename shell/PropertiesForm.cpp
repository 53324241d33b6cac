#include "PropertiesForm.h"

#include "engine/Decimal.h"
#include "engine/TextUtil.h"
#include "journal/JournalCommands.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "shell/ErrorReporter.h"
#include "shell/SettingsKeys.h"
#include "shell/StartupSequence.h"

namespace zorv::shell {

using engine::CommandId;

using engine::MessageIcon;

namespace {

constexpr std::array<PaletteColour, 16> kPalette{{
    {"Black", 0, 0, 0},
    {"Blue", 0, 0, 128},
    {"Green", 0, 128, 0},
    {"Cyan", 0, 128, 128},
    {"Red", 128, 0, 0},
    {"Magenta", 128, 0, 128},
    {"Yellow", 128, 128, 0},
    {"White", 192, 192, 192},
    {"Gray", 128, 128, 128},
    {"Light Blue", 0, 0, 255},
    {"Light Green", 0, 255, 0},
    {"Light Cyan", 0, 255, 255},
    {"Light Red", 255, 0, 0},
    {"Light Magenta", 255, 0, 255},
    {"Light Yellow", 255, 255, 0},
    {"Bright White", 255, 255, 255},
}};

constexpr std::array<const char*, 10> kSizes{"8", "9", "10", "11", "12", "14", "16", "18", "20", "24"};

constexpr int kMinTapePercent = 40;
constexpr int kMaxTapePercent = 350;

// The numeric value of a year box: its leading digits, as far as they go.
long yearValue(const std::string& text) {
    long v = 0;
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > 999999999) return 999999999;
    }
    return v;
}

std::string wholeNumber(double v) {
    return std::to_string(static_cast<long long>(std::lround(v)));
}

}  // namespace

const std::array<PaletteColour, 16>& tapePalette() { return kPalette; }
const std::array<const char*, 10>& tapeFontSizes() { return kSizes; }

PropertiesForm::PropertiesForm(engine::CalculatorModel& model, SettingsStore& store,
                               ShellState& state, MainWindowControl& window)
    : model_(model), store_(store), state_(state), window_(window) {}

void PropertiesForm::inform(const std::string& text) {
    model_.feedback().showMessage(text, std::string(engine::kProductName), MessageIcon::Information);
}

std::string PropertiesForm::TapeColor(std::uint32_t colour) {
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        if (kPalette[i].number() == colour) {
            p_.colourIndex = static_cast<int>(i);
            return kPalette[i].name;
        }
    }
    return "";
}

std::string PropertiesForm::sizeCaption() const {
    return p_.tapeHidden ? "Hidden" : std::to_string(p_.tapeSizePercent) + "%";
}

void PropertiesForm::open() {
    done_ = false;
    openedHidden_ = window_.tapeHidden();
    openedRatio_ = window_.tapeRatio();
    try {
        fill();
        return;
    } catch (const std::exception&) {
    }
    model_.feedback().showMessage(
        "An error has occured!\rWe will have to reset Tape Properties\r\nto their default values.",
        "Properties Error", MessageIcon::Critical);
    // Only the tape's font is reset: the other pending values may be half
    // filled and must not reach the store.
    const TapeFont defaults;
    writeText(store_, key::Font, defaults.name);
    writeNumber(store_, key::FontSize, defaults.size);
    writeNumber(store_, key::FontColor, defaults.colour);
    writeFlag(store_, key::FontBold, defaults.bold);
    writeFlag(store_, key::FontItalic, defaults.italic);
    window_.setTapeFont(defaults);
    fill();
}

namespace {
// The kept tape's options and the tax rate, read and written with the rest.
constexpr SettingKey kKeepTape{"Startup", journal::setting::KeepTape, StoredForm::Flag, "True"};
constexpr SettingKey kHistorySize{"Startup", journal::setting::HistorySize, StoredForm::Number, "50", 1, 1000000};
constexpr SettingKey kTaxRate{"Startup", journal::setting::TaxRate, StoredForm::Number, "0", 0, 1000};
}  // namespace

void PropertiesForm::fill() {
    p_ = PendingProperties{};
    const double ratio = window_.tapeRatio();
    p_.tapeSizePercent =
        std::clamp(static_cast<int>(std::lround(ratio * 100)), kMinTapePercent, kMaxTapePercent);
    p_.ratio = p_.tapeSizePercent / 100.0;
    const engine::Modes& m = model_.modes();
    p_.decimalPlaces = m.decimalPlaces;

    const TapeFont font = window_.tapeFont();
    p_.fontName = font.name;
    p_.fontSize = wholeNumber(font.size);
    p_.bold = font.bold;
    p_.italic = font.italic;
    p_.colourChosen = !TapeColor(font.colour).empty();

    p_.tapeHidden = window_.tapeHidden();
    p_.firstYear = std::to_string(state_.StartYear);
    p_.lastYear = std::to_string(state_.EndYear);

    p_.startMinimized = readFlag(store_, key::StartMinimized);
    p_.startOnTop = readFlag(store_, key::StartOnTop);
    p_.saveMem = readFlag(store_, key::SaveMemory);
    p_.keepTape = readFlag(store_, kKeepTape);
    p_.historyMegabytes = static_cast<int>(readNumber(store_, kHistorySize));
    p_.taxRate = readText(store_, kTaxRate);

    p_.finMode = m.financial;
    p_.showPercentage = m.showPercentages;
    p_.addMach = m.addingMachine;
    p_.formatNum = m.formatNumbers;
    p_.percentForNum = m.percentForNumber;
    p_.rpn = m.rpn;
    p_.autoDec = m.autoDecimal;
    p_.calcOnTop = state_.mnuCalcOnTop;
    p_.exitMin = state_.mnuExitMin;
    p_.hideC = m.hideClearBanner;
    p_.hideToolbar = window_.toolbarHidden();
    p_.carryResult = m.carryResult;
    p_.toolbarToggled = false;
}

void PropertiesForm::chooseColour(int index) {
    if (index < 0 || index >= static_cast<int>(kPalette.size())) return;
    p_.colourIndex = index;
    p_.colourChosen = true;
}

void PropertiesForm::resetFont() {
    const TapeFont defaults;
    p_.fontName = defaults.name;
    p_.fontSize = wholeNumber(defaults.size);
    p_.colourIndex = 0;
    p_.colourChosen = true;
    p_.bold = false;
    p_.italic = false;
    saveAsDefaults();
}

void PropertiesForm::setTapeHidden(bool checked) {
    p_.tapeHidden = checked;
    if (checked) {
        if (!window_.tapeHidden()) window_.setTapeHidden(true);
    } else {
        p_.ratio = p_.tapeSizePercent / 100.0;
        window_.layoutTape(p_.ratio);
        window_.setTapeHidden(false);
    }
}

void PropertiesForm::setTapeSize(int percent) {
    p_.tapeSizePercent = std::clamp(percent, kMinTapePercent, kMaxTapePercent);
    if (window_.tapeHidden()) return;
    p_.ratio = p_.tapeSizePercent / 100.0;
    window_.layoutTape(p_.ratio);
}

void PropertiesForm::resetTapeSize() {
    setTapeSize(100);
    // Even with the tape hidden, "Reset" stores the original size.
    p_.ratio = 1;
    saveAsDefaults();
}

void PropertiesForm::setStartMinimized(bool checked) {
    p_.startMinimized = checked;
    if (checked) p_.startOnTop = false;
}

void PropertiesForm::setStartOnTop(bool checked) {
    p_.startOnTop = checked;
    if (checked) p_.startMinimized = false;
}

void PropertiesForm::setAddingMachine(bool checked) {
    p_.addMach = checked;
    if (checked) p_.rpn = false;
}

void PropertiesForm::setRpn(bool checked) {
    p_.rpn = checked;
    if (checked) p_.addMach = false;
}

void PropertiesForm::setHideToolbar(bool checked) {
    p_.hideToolbar = checked;
    p_.toolbarToggled = !p_.toolbarToggled;
}

void PropertiesForm::setHideClear(bool checked) {
    p_.hideC = checked;
    model_.modes().hideClearBanner = checked;
}

void PropertiesForm::setCarryResult(bool checked) {
    p_.carryResult = checked;
    model_.modes().carryResult = checked;
    model_.notify();
}

bool PropertiesForm::yearKeyAccepted(std::string_view ch) {
    if (ch.size() != 1) return false;
    const char c = ch[0];
    return (c >= '0' && c <= '9') || c == '\b' || c == '\t';
}

YearCheck PropertiesForm::txtYear_LostFocus(int index, int currentYear) {
    std::string& box = index == 0 ? p_.firstYear : p_.lastYear;
    long y = yearValue(box);
    const long c = currentYear;
    if (y < 100) {
        // A year of one or two digits ("5" is "05") is read in the century
        // that suits its box: the first year is the latest such year up to
        // the current one ("85" is 1985, "05" 2005), the last year the
        // earliest from the current one on ("05" is 2105, "30" 2030). So a
        // short year never trips the current-year rule below; the order of
        // the two years is still checked.
        long full = c - c % 100 + y;
        if (index == 0 && full > c) full -= 100;
        if (index == 1 && full < c) full += 100;
        box = std::to_string(full);
        y = full;
    }
    const char* kOrder = "Starting year MUST be earlier than\rEnding year.";
    const char* kRange = "Year MUST be between 100 and 9999.";
    if (index == 0) {
        if (y > c) {
            inform("Starting Year MUST be less than\ror equal to the current year.");
            box = std::to_string(c - 1);
            return {true, false};
        }
        if (y > 9999) {
            inform(kRange);
            return {true, true};
        }
        const long last = yearValue(p_.lastYear);
        if (last <= y) {
            inform(kOrder);
            box = std::to_string(last - 1);
            return {true, true};
        }
        return {};
    }
    if (y < c) {
        inform("Ending Year MUST be greater than\ror equal to the current year.");
        box = std::to_string(c + 1);
        return {true, false};
    }
    if (y > 9999) {
        inform(kRange);
        return {true, true};
    }
    const long first = yearValue(p_.firstYear);
    if (first >= y) {
        inform(kOrder);
        p_.firstYear = std::to_string(y - 1);
        return {true, true};
    }
    return {};
}

void PropertiesForm::choosePublishProgram(const FileChooser& chooseFile, const std::string& programFolder) {
    const std::string publishTo = readText(store_, key::PublishTo);
    const std::string publishType = readText(store_, key::PublishType);
    std::string folder = programFolder;
    if (!publishTo.empty()) {
        const auto cut = publishTo.find_last_of("/\\");
        if (cut != std::string::npos) folder = publishTo.substr(0, cut + 1);
    }
    const auto answer = model_.feedback().askText(
        "Enter the default file extension for\rthe program you wish to publish to:\r"
        " NO PERIOD!!! (i.e. TXT, DOC, XLS)",
        "Publish To Set up", publishType);
    if (!answer) return;
    std::string type = *answer;
    // The extension becomes part of a file name in the data folder: a
    // leading period is dropped, and only letters and digits are taken, so
    // the name can never point into another folder.
    type.erase(0, type.find_first_not_of(". "));
    while (!type.empty() && type.back() == ' ') type.pop_back();
    if (type.empty()) return;
    const bool plain = std::all_of(type.begin(), type.end(), [](unsigned char ch) {
        return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    });
    if (!plain || type.size() > 16) {
        inform("The file extension may only hold letters and digits.");
        return;
    }
    if (!chooseFile) return;
    const auto file = chooseFile("Choose program (using file type " + type + ") to publish Tape to",
                                 folder, "Programs (*);;Executable (*.exe)");
    if (!file || file->empty()) return;
    writeText(store_, key::PublishTo, *file);
    writeText(store_, key::PublishType, type);
}

double PropertiesForm::pendingFontSize() const {
    const auto v = SettingsStore::toNumber(p_.fontSize);
    if (!v || *v < key::FontSize.minimum || *v > key::FontSize.maximum) return window_.tapeFont().size;
    return *v;
}

std::uint32_t PropertiesForm::pendingColour() const {
    if (!p_.colourChosen) return window_.tapeFont().colour;
    return kPalette[static_cast<std::size_t>(std::clamp(p_.colourIndex, 0, 15))].number();
}

void PropertiesForm::apply() {
    TapeFont font;
    font.name = p_.fontName.empty() ? window_.tapeFont().name : p_.fontName;
    font.colour = pendingColour();
    font.size = pendingFontSize();
    font.bold = p_.bold;
    font.italic = p_.italic;
    window_.setTapeFont(font);

    engine::Modes& m = model_.modes();
    m.financial = p_.finMode;
    m.showPercentages = p_.showPercentage;
    m.addingMachine = p_.addMach;
    m.rpn = p_.rpn;
    m.formatNumbers = p_.formatNum;
    m.percentForNumber = p_.percentForNum;
    m.autoDecimal = p_.autoDec;
    // The check mark of "Calc On Top" and the window's state go together.
    if (p_.calcOnTop != state_.mnuCalcOnTop) {
        if (model_.commands().contains(CommandId::CalcOnTop)) model_.runCommand(CommandId::CalcOnTop);
        else state_.mnuCalcOnTop = p_.calcOnTop;
    }
    state_.mnuExitMin = p_.exitMin;
    window_.setExitButtonToolTip(exitButtonToolTip(p_.exitMin));
    if (p_.toolbarToggled) {
        if (model_.commands().contains(CommandId::HideShowToolbar)) model_.runCommand(CommandId::HideShowToolbar);
        else window_.setToolbarHidden(!window_.toolbarHidden());
        p_.toolbarToggled = false;
    }
    m.decimalPlaces = std::clamp(p_.decimalPlaces, 2, 15);
    // These options live only in the store (they are read where they are
    // used), so a change is written at once; unchanged, nothing is written.
    if (p_.keepTape != readFlag(store_, kKeepTape)) writeFlag(store_, kKeepTape, p_.keepTape);
    const int megabytes = std::clamp(p_.historyMegabytes, 1, 1000000);
    if (megabytes != static_cast<int>(readNumber(store_, kHistorySize))) writeNumber(store_, kHistorySize, megabytes);
    // A rate that is not a number from 0 to 1000 leaves the stored one.
    try {
        const engine::Decimal rate = engine::Decimal::parse(engine::text::trim(p_.taxRate), engine::NumberSymbols{});
        if (!rate.isNegative() && rate <= engine::Decimal(1000) && rate.toString(".") != readText(store_, kTaxRate))
            writeText(store_, kTaxRate, rate.toString("."));
    } catch (const engine::DecimalError&) {
    }
    const long first = yearValue(p_.firstYear);
    const long last = yearValue(p_.lastYear);
    if (first >= 100 && last <= 9999 && first < last) {
        state_.StartYear = static_cast<int>(first);
        state_.EndYear = static_cast<int>(last);
    }
    model_.notify();
}

void PropertiesForm::accept() {
    try {
        apply();
    } catch (const std::exception& e) {
        const int number = errorNumberOf(e);
        if (number != 5 && number != 13) inform(std::string(e.what()) + " - " + std::to_string(number));
    }
    done_ = true;
}

void PropertiesForm::saveSettings() {
    writeText(store_, key::SavedSettings, "True");
    writeNumber(store_, key::TapeSize, p_.ratio);
    writeText(store_, key::Font, p_.fontName.empty() ? window_.tapeFont().name : p_.fontName);
    writeNumber(store_, key::FontSize, pendingFontSize());
    writeNumber(store_, key::FontColor, pendingColour());
    writeFlag(store_, key::FontBold, p_.bold);
    writeFlag(store_, key::FontItalic, p_.italic);
    const WindowPosition pos = window_.position();
    writeNumber(store_, key::CalcTop, pos.top);
    writeNumber(store_, key::CalcLeft, pos.left);
    writeFlag(store_, key::TapeHide, p_.tapeHidden);
    writeFlag(store_, key::CarryResult, p_.carryResult);
    writeFlag(store_, key::StartMinimized, p_.startMinimized);
    writeFlag(store_, key::StartOnTop, p_.startOnTop);
    writeFlag(store_, key::CalcOnTop, p_.calcOnTop);
    writeFlag(store_, key::FinancialMode, p_.finMode);
    writeFlag(store_, key::ShowPercentage, p_.showPercentage);
    writeFlag(store_, key::AddingMachineMode, p_.addMach);
    writeFlag(store_, key::RpnMode, p_.rpn);
    writeFlag(store_, key::FormatNumbers, p_.formatNum);
    writeFlag(store_, key::PercentCalculation, p_.percentForNum);
    writeFlag(store_, key::SaveMemory, p_.saveMem);
    writeFlag(store_, key::AutoDecimal, p_.autoDec);
    writeFlag(store_, key::HideC, model_.modes().hideClearBanner);
    writeNumber(store_, key::DecimalPlaces, std::clamp(p_.decimalPlaces, 2, 15));
    writeFlag(store_, key::HideToolbar, p_.hideToolbar);
    writeNumber(store_, key::StartYear, static_cast<double>(yearValue(p_.firstYear)));
    writeNumber(store_, key::EndYear, static_cast<double>(yearValue(p_.lastYear)));
    writeFlag(store_, key::ExitButtonMinimize, p_.exitMin);
    if (model_.commands().checked(CommandId::StayOnTop).value_or(false)) {
        if (const auto show = window_.calcShowPosition()) {
            writeNumber(store_, key::CalcShowTop, show->top);
            writeNumber(store_, key::CalcShowLeft, show->left);
        }
    }
    store_.backend().sync();
}

void PropertiesForm::saveAsDefaults() {
    saveSettings();
    accept();
}

void PropertiesForm::cancel() {
    window_.layoutTape(openedRatio_);
    if (window_.tapeHidden() != openedHidden_) window_.setTapeHidden(openedHidden_);
    done_ = true;
}

}  // namespace zorv::shell
