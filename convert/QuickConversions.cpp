#include "convert/QuickConversions.h"

#include <array>
#include <cmath>
#include <exception>
#include <new>

#include "engine/Currency.h"
#include "engine/Decimal.h"
#include "engine/DoubleText.h"

namespace zorv::convert {

namespace {

using engine::Currency;
using engine::Decimal;

enum class Kind { Blank, TapeCommand, Factor, Temperature, TimeToSmaller, TimeToLarger };
// Which check mark switches a key to its alternative caption and factor.
enum class Variant { None, Troy, Imperial };
enum class Temperature { CtoF, CtoK, KtoC, FtoC, FtoK, KtoF };

struct Key {
    Kind kind = Kind::Blank;
    std::string_view caption;
    std::string_view toolTip;
    // Factor keys: the factor as decimal text with "." (exact, unlike a double
    // literal).
    std::string_view text;
    engine::CommandId command = engine::CommandId::PrintTape;  // tape-command keys
    long long whole = 0;  // time keys: the whole factor
    Temperature formula = Temperature::CtoF;
    Variant variant = Variant::None;
    std::string_view altCaption;
    std::string_view altToolTip;
    std::string_view altText;
};

constexpr Key blank() { return {}; }

constexpr Key command(std::string_view caption, std::string_view tip, engine::CommandId id) {
    Key k;
    k.kind = Kind::TapeCommand;
    k.caption = caption;
    k.toolTip = tip;
    k.command = id;
    return k;
}

constexpr Key factor(std::string_view caption, std::string_view tip, std::string_view f) {
    Key k;
    k.kind = Kind::Factor;
    k.caption = caption;
    k.toolTip = tip;
    k.text = f;
    return k;
}

constexpr Key troy(std::string_view caption, std::string_view tip, std::string_view f,
                   std::string_view troyCaption, std::string_view troyTip, std::string_view troyF) {
    Key k = factor(caption, tip, f);
    k.variant = Variant::Troy;
    k.altCaption = troyCaption;
    k.altToolTip = troyTip;
    k.altText = troyF;
    return k;
}

// Imperial measures change the factor and tool tip; the caption stays.
constexpr Key imperial(std::string_view caption, std::string_view tip, std::string_view f,
                       std::string_view imperialTip, std::string_view imperialF) {
    Key k = factor(caption, tip, f);
    k.variant = Variant::Imperial;
    k.altCaption = caption;
    k.altToolTip = imperialTip;
    k.altText = imperialF;
    return k;
}

constexpr Key temperature(std::string_view caption, std::string_view tip, Temperature formula) {
    Key k;
    k.kind = Kind::Temperature;
    k.caption = caption;
    k.toolTip = tip;
    k.formula = formula;
    return k;
}

constexpr Key toSmaller(std::string_view caption, std::string_view tip, long long n) {
    Key k;
    k.kind = Kind::TimeToSmaller;
    k.caption = caption;
    k.toolTip = tip;
    k.whole = n;
    return k;
}

constexpr Key toLarger(std::string_view caption, std::string_view tip, long long n) {
    Key k = toSmaller(caption, tip, n);
    k.kind = Kind::TimeToLarger;
    return k;
}

using KeySet = std::array<Key, QuickConversions::kKeyCount>;

constexpr std::array<KeySet, QuickConversions::kSetCount> kSets{{
    // 0: the plain calculator; the keys run the tape commands.
    {command("Set&up", "Set calculator properties", engine::CommandId::ProgramProperties),
     command("Find", "Search tape", engine::CommandId::FindOnTape),
     command("&Print", "Print tape", engine::CommandId::PrintTape),
     command("Lo&ad", "Load tape from file", engine::CommandId::LoadTape),
     command("Cl&r Tape", "Clear tape", engine::CommandId::ClearTape),
     command("A&nnotate", "Annotate tape", engine::CommandId::AnnotateTape),
     command("Pu&blish", "Publish tape to another program", engine::CommandId::PublishTape),
     command("Sa&ve", "Save tape to file", engine::CommandId::SaveTape)},
    // 1: metric to English.
    {factor("cm/in", "Centimeters to inches", "0.3937008"),
     factor("m/ft", "Meters to feet", "3.28083"),
     factor("m/yd", "Meters to yards", "1.09361"),
     factor("km/mi", "Kilometers to miles", "0.6213712"),
     troy("g/oz", "Grams to ounces", "0.0352736", "g/ozt", "Grams to troy ounces", "0.0321492"),
     troy("kg/lb", "Kilograms to pounds", "2.20462", "kg/lbt", "Kilograms to troy pounds",
          "2.679209"),
     factor("t/lt", "Metric tons to long tons", "0.9842065"),
     factor("t/st", "Metric tons to short tons", "1.102311")},
    // 2: English to metric.
    {factor("in/cm", "Inches to centimeters", "2.54"),
     factor("ft/m", "Feet to meters", "0.3048"),
     factor("yd/m", "Yards to meters", "0.9144"),
     factor("mi/km", "Miles to kilometers", "1.609344"),
     troy("oz/g", "Ounces to grams", "28.34952", "ozt/g", "Troy ounces to grams", "31.10348"),
     troy("lb/kg", "Pounds to kilograms", "0.4535924", "lbt/kg", "Troy pounds to kilograms",
          "0.3732417"),
     factor("lt/t", "Long tons to metric tons", "1.016047"),
     factor("st/t", "Short tons to metric tons", "0.9071847")},
    // 3: area and volume, metric to English.
    {factor("sq. cm/in", "Square centimeters to square inches", "0.1550003"),
     factor("sq. m/ft", "Square meters to square feet", "10.76391"),
     factor("sq. m/yd", "Square meters to square yards", "1.19599"),
     factor("sq. km/mi", "Square kilometers to square miles", "0.3861022"),
     factor("cu. m/ft", "Cubic meters to cubic feet", "35.31467"),
     factor("cu. m/yd", "Cubic meters to cubic yards", "1.307951"),
     imperial("L/pt", "Liters to US pints", "2.113376", "Liters to imperial pints", "1.759754"),
     imperial("L/gal", "Liters to US gallons", "0.2641721", "Liters to imperial gallons",
              "0.2199692")},
    // 4: area and volume, English to metric.
    {factor("sq. in/cm", "Square inches to square centimeters", "6.4516"),
     factor("sq. ft/m", "Square feet to square meters", "0.09290304"),
     factor("sq. yd/m", "Square yards to square meters", "0.8361274"),
     factor("sq. mi/km", "Square miles to square kilometers", "2.589988"),
     factor("cu. ft/m", "Cubic feet to cubic meters", "0.02831685"),
     factor("cu. yd/m", "Cubic yards to cubic meters", "0.7645549"),
     imperial("pt/L", "US pints to liters", "0.4731765", "Imperial pints to liters", "0.568261"),
     imperial("gal/L", "US gallons to liters", "3.785412", "Imperial gallons to liters",
              "4.546092")},
    // 5: temperature.
    {temperature("C to F", "Celsius to Fahrenheit", Temperature::CtoF),
     temperature("C to K", "Celsius to Kelvin", Temperature::CtoK),
     temperature("K to C", "Kelvin to Celsius", Temperature::KtoC),
     temperature("F to C", "Fahrenheit to Celsius", Temperature::FtoC),
     temperature("F to K", "Fahrenheit to Kelvin", Temperature::FtoK),
     temperature("K to F", "Kelvin to Fahrenheit", Temperature::KtoF),
     blank(), blank()},
    // 6..9: time. The keys to a smaller unit come first, then the way back.
    {toSmaller("Wk/Day", "Weeks to days", 7),
     toSmaller("Wk/Hr", "Weeks to hours", 168),
     toSmaller("Wk/Min", "Weeks to minutes", 10080),
     toSmaller("Wk/Sec", "Weeks to seconds", 604800),
     toLarger("Day/Wk", "Days to weeks", 7),
     toLarger("Hr/Wk", "Hours to weeks", 168),
     toLarger("Min/Wk", "Minutes to weeks", 10080),
     toLarger("Sec/Wk", "Seconds to weeks", 604800)},
    {toSmaller("Day/Hr", "Days to hours", 24),
     toSmaller("Day/Min", "Days to minutes", 1440),
     toSmaller("Day/Sec", "Days to seconds", 86400),
     toLarger("Hr/Day", "Hours to days", 24),
     toLarger("Min/Day", "Minutes to days", 1440),
     toLarger("Sec/Day", "Seconds to days", 86400),
     blank(), blank()},
    {toSmaller("Hr/Min", "Hours to minutes", 60),
     toSmaller("Hr/Sec", "Hours to seconds", 3600),
     toLarger("Min/Hr", "Minutes to hours", 60),
     toLarger("Sec/Hr", "Seconds to hours", 3600),
     blank(), blank(), blank(), blank()},
    {toSmaller("Min/Sec", "Minutes to seconds", 60),
     toLarger("Sec/Min", "Seconds to minutes", 60),
     blank(), blank(), blank(), blank(), blank(), blank()},
}};

struct SetLabel {
    std::string_view caption;
    std::string_view toolTip;
};

constexpr std::array<SetLabel, QuickConversions::kSetCount> kSetLabels{{
    {"Calculator", "Standard Calculator"},
    {"Metric to English", "Metric to English Conversions"},
    {"English to Metric", "English to Metric Conversions"},
    {"Area/Volume Metric to English", "Area/Volume Metric to English Conversions"},
    {"Area/Volume English to Metric", "Area/Volume English to Metric Conversions"},
    {"Temperature", "Temperature Conversions"},
    {"Time - Week", "Time Conversions - Week"},
    {"Time - Day", "Time Conversions - Day"},
    {"Time - Hour", "Time Conversions - Hour"},
    {"Time - Minutes", "Time Conversions - Minutes"},
}};

constexpr std::string_view kNoPendingOperation = "Press F1 for Help";

// The classic error numbers the error report shows for unexpected failures.
constexpr int kInvalidCall = 5;
constexpr int kOutOfMemory = 7;

const Key& keyAt(int set, int index) {
    static const Key none{};
    if (set < 0 || set >= QuickConversions::kSetCount || index < 0 ||
        index >= QuickConversions::kKeyCount)
        return none;
    return kSets[set][index];
}

bool alternativeOn(const Key& key, const engine::Modes& modes) {
    switch (key.variant) {
    case Variant::Troy: return modes.troyMeasures;
    case Variant::Imperial: return modes.imperialMeasures;
    case Variant::None: return false;
    }
    return false;
}

Decimal constant(std::string_view text) { return Decimal::parse(text); }

Decimal temperature(Temperature formula, const Decimal& x) {
    const Decimal ratio = constant("1.8");
    const Decimal freezing = 32;
    // The Kelvin offset is 273.16 on purpose: results must match the
    // figures users of this calculator already have on their tapes.
    const Decimal kelvin = constant("273.16");
    switch (formula) {
    case Temperature::CtoF: return x * ratio + freezing;
    case Temperature::CtoK: return x + kelvin;
    case Temperature::KtoC: return x - kelvin;
    case Temperature::FtoC: return (x - freezing) / ratio;
    case Temperature::FtoK: return (x - freezing) / ratio + kelvin;
    case Temperature::KtoF: return (x - kelvin) * ratio + freezing;
    }
    return x;
}

}  // namespace

QuickConversions::QuickConversions(engine::CalculatorModel& model) : model_(model) {}

bool QuickConversions::setMode(int set) {
    if (set < 0 || set >= kSetCount) return false;
    msys_ = set;
    changed();
    return true;
}

void QuickConversions::nextSet() { setMode((msys_ + 1) % kSetCount); }

void QuickConversions::previousSet() { setMode((msys_ + kSetCount - 1) % kSetCount); }

void QuickConversions::toggleImperialMeasures() {
    model_.modes().imperialMeasures = !model_.modes().imperialMeasures;
    changed();
}

void QuickConversions::toggleTroyMeasures() {
    model_.modes().troyMeasures = !model_.modes().troyMeasures;
    changed();
}

void QuickConversions::changed() {
    if (onModeChange) onModeChange();
}

std::string QuickConversions::caption(int index) const {
    const Key& key = keyAt(msys_, index);
    return std::string(alternativeOn(key, model_.modes()) ? key.altCaption : key.caption);
}

std::string QuickConversions::toolTip(int index) const {
    const Key& key = keyAt(msys_, index);
    return std::string(alternativeOn(key, model_.modes()) ? key.altToolTip : key.toolTip);
}

bool QuickConversions::keyAvailable(int index) const {
    const Key& key = keyAt(msys_, index);
    switch (key.kind) {
    case Kind::Blank: return false;
    case Kind::TapeCommand: return model_.commands().contains(key.command);
    default: return true;
    }
}

std::string QuickConversions::modeCaption() const { return std::string(kSetLabels[msys_].caption); }

std::string QuickConversions::modeToolTip() const { return std::string(kSetLabels[msys_].toolTip); }

void QuickConversions::pressKey(int index) {
    if (!keyAvailable(index)) {
        model_.feedback().beep();
        return;
    }
    const Key& key = keyAt(msys_, index);
    if (key.kind == Kind::TapeCommand) {
        model_.commands().run(key.command);
        return;
    }

    const std::string& symbol = model_.decimalSymbol();
    try {
        // The input is the readout in the fixed-point type, so anything past
        // four decimals is rounded off before converting.
        const Currency x = Currency::fromDecimal(model_.toDecimal(model_.readout()));
        const std::string lineStart = "Convert " + caption(index) + " " + x.toString(symbol);

        // Computed in full before the readout is touched, so a failure leaves
        // the readout and the tape as they were.
        std::string result;
        switch (key.kind) {
        case Kind::Factor: {
            const bool alt = alternativeOn(key, model_.modes());
            result = model_.toText(x.toDecimal() * constant(alt ? key.altText : key.text));
            break;
        }
        case Kind::Temperature:
            result = model_.toText(temperature(key.formula, x.toDecimal()));
            break;
        case Kind::TimeToSmaller:
            result = (x * key.whole).toString(symbol);
            break;
        case Kind::TimeToLarger: {
            const double quotient = x.toDouble() / static_cast<double>(key.whole);
            if (!std::isfinite(quotient)) throw engine::DecimalOverflow();
            result = engine::plainText(quotient, symbol);
            break;
        }
        case Kind::Blank:
        case Kind::TapeCommand:
            return;
        }

        // A double's text may be in E notation; the round trip through the
        // decimal type writes it as plain digits.
        model_.setReadout(model_.toText(model_.toDecimal(result)));
        model_.normalizeReadout();

        // The tape line shows the value without the trailing decimal symbol
        // that a whole number carries in the readout, like operator entries.
        std::string shown = model_.readout();
        if (!symbol.empty() && shown.size() > symbol.size() &&
            shown.compare(shown.size() - symbol.size(), symbol.size(), symbol) == 0)
            shown.erase(shown.size() - symbol.size());
        model_.postToTape(lineStart + " -> " + shown);

        // The result counts as a freshly entered number; with no operation
        // pending "=" completes it so the next operator starts from it.
        model_.setEntryState(engine::EntryState::Number);
        model_.markFreshResult();
        if (model_.hint() == kNoPendingOperation) model_.pressOperator(engine::OpEquals);
    } catch (const engine::DecimalError&) {
        model_.feedback().showMessage("Invalid value!", std::string(engine::kProductName),
                                      engine::MessageIcon::Information);
    } catch (const std::bad_alloc& e) {
        model_.reportError(" [Operator_Click] ", kOutOfMemory, e.what());
    } catch (const std::exception& e) {
        model_.reportError(" [Operator_Click] ", kInvalidCall, e.what());
    }
    model_.notify();
}

}  // namespace zorv::convert
