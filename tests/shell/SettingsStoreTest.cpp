// The settings store: stored forms, reading rules, defaults of an empty
// store, and INI files a user (or a broken disk) may hand us.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "engine/CalculatorModel.h"
#include "engine/ModeCommands.h"
#include "engine/ModeTable.h"
#include "engine/ScriptedFeedback.h"
#include "shell/IniFileBackend.h"
#include "shell/SettingsKeys.h"
#include "shell/StartupSequence.h"
#include "shell/StartupSettings.h"

namespace zorv::shell {
namespace {

SettingsStore memoryStore(std::map<std::pair<std::string, std::string>, std::string> values = {}) {
    auto backend = std::make_unique<MemorySettingsBackend>();
    backend->values = std::move(values);
    return SettingsStore(std::move(backend));
}

std::string stored(SettingsStore& store, const SettingKey& k) {
    return store.ReadSetting(std::string(k.section), std::string(k.key), "<absent>");
}

TEST(SettingsKeys, EmptyStoreGivesTheDefaultsOfEveryStartupValue) {
    SettingsStore store = memoryStore();
    const StartupValues v = readStartupValues(store);
    EXPECT_EQ(v.tapeFont, (TapeFont{"Courier New", 8, 0, false, false}));
    EXPECT_FALSE(v.tapeHide);
    EXPECT_EQ(v.tapeSize, 1);
    EXPECT_EQ(v.startYear, 1500);
    EXPECT_EQ(v.endYear, 2400);
    EXPECT_TRUE(v.alarmsOn);
    EXPECT_FALSE(v.exitButtonMinimize || v.saveMemory || v.hideToolbar || v.startOnTop ||
                 v.calcOnTop || v.startMinimized || v.dontHideEval);
    EXPECT_FALSE(v.calcTop.has_value());
    EXPECT_FALSE(v.calcLeft.has_value());
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(v.toolbarCaptions[n - 1], std::to_string(n) + "R.Clk");
        EXPECT_EQ(v.toolbarToolTips[n - 1], "Right Click to Set Button");
    }

    engine::Modes m;
    m.financial = false;  // so the defaults really come from the store
    m.carryResult = false;
    m.decimalPlaces = 9;
    applyModeSettings(store, m);
    EXPECT_TRUE(m.financial && m.showPercentages && m.formatNumbers &&
                m.percentForNumber && m.carryResult);
    EXPECT_FALSE(m.addingMachine || m.rpn || m.autoDecimal || m.numberTapeItems ||
                 m.hideClearBanner || m.repeatSubtraction);
    EXPECT_EQ(m.decimalPlaces, 2);
}

// A mode toggled from its menu item and kept at once comes back at the next
// start; every kept mode is read through the key table in its stored form.
TEST(SettingsKeys, ModesOfTheModeTableAreKeptUnderTheirKeysAndComeBack) {
    for (const engine::ModeSpec& mode : engine::modeTable()) {
        if (mode.settingKey.empty()) continue;
        const std::string name(mode.settingKey);
        const SettingKey* k = findSettingKey(kStartupSection, mode.settingKey);
        ASSERT_NE(k, nullptr) << name;
        EXPECT_NE(k->form, StoredForm::Text) << name;
        EXPECT_NE(k->form, StoredForm::Number) << name;
        for (const bool on : {true, false}) {
            SettingsStore store = memoryStore();
            writeFlag(store, *k, on);
            engine::Modes m;
            m.*mode.flag = !on;
            applyModeSettings(store, m);
            EXPECT_EQ(m.*mode.flag, on) << name;
        }
        if (!mode.keptOnToggle) continue;
        // The menu item writes the key itself: what it writes reads back.
        ASSERT_TRUE(mode.command.has_value()) << name;
        SettingsStore store = memoryStore();
        engine::ScriptedFeedback feedback;
        engine::CalculatorModel model(feedback);
        engine::registerModeCommands(model, [&store](const std::string& key, const std::string& value) {
            store.WriteSetting(std::string(kStartupSection), key, value);
        });
        const bool before = model.modes().*mode.flag;
        model.runCommand(*mode.command);
        engine::Modes restored;
        restored.*mode.flag = before;
        applyModeSettings(store, restored);
        EXPECT_EQ(restored.*mode.flag, !before) << name;
    }
}

TEST(SettingsKeys, EveryKeyIsListedOnceAndItsDefaultReadsBack) {
    std::set<std::string> seen;
    SettingsStore store = memoryStore();
    for (const SettingKey& k : settingKeys()) {
        EXPECT_TRUE(seen.insert(std::string(k.key)).second) << k.key;
        EXPECT_EQ(k.section, "Startup");
        if (k.defaultText.empty()) continue;
        if (k.form == StoredForm::Number) {
            const auto d = SettingsStore::toNumber(std::string(k.defaultText));
            ASSERT_TRUE(d) << k.key;
            EXPECT_EQ(readNumber(store, k), *d) << k.key;
        } else if (k.form != StoredForm::Text) {
            EXPECT_TRUE(SettingsStore::toFlag(std::string(k.defaultText))) << k.key;
        }
    }
    EXPECT_GE(seen.size(), 60u);
}

TEST(SettingsKeys, FlagsAreWrittenInTheirKeysStoredForm) {
    struct Case {
        const SettingKey& key;
        const char* on;
        const char* off;
    };
    const Case cases[] = {
        {key::FontBold, "True", "False"},           {key::TapeHide, "-1", "0"},
        {key::CarryResult, "-1", "0"},              {key::AddingMachineMode, "1", "0"},
        {key::FormatNumbers, "1", "0"},             {key::PercentCalculation, "1", "0"},
        {key::RpnMode, "1", "0"},                   {key::FinancialMode, "True", "False"},
        {key::ExitButtonMinimize, "True", "False"},
    };
    SettingsStore store = memoryStore();
    for (const Case& c : cases) {
        writeFlag(store, c.key, true);
        EXPECT_EQ(stored(store, c.key), c.on) << c.key.key;
        EXPECT_TRUE(readFlag(store, c.key)) << c.key.key;
        writeFlag(store, c.key, false);
        EXPECT_EQ(stored(store, c.key), c.off) << c.key.key;
        EXPECT_FALSE(readFlag(store, c.key)) << c.key.key;
    }
}

TEST(SettingsKeys, ReadingRules) {
    struct Case {
        const SettingKey& key;
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        // A flag reads "True"/"False" in any case and any number text.
        {key::FinancialMode, "false", false},
        {key::FinancialMode, "0", false},
        {key::SaveMemory, "TRUE", true},
        {key::SaveMemory, "-1", true},
        {key::SaveMemory, "2.5", true},
        {key::HideC, " 1 ", true},
        // "RPN Mode" reads as a number: "True" is not a number, so it is off.
        {key::RpnMode, "True", false},
        {key::RpnMode, "1", true},
        {key::RpnMode, "-1", true},
        // A value that does not convert gives the default.
        {key::FinancialMode, "maybe", true},
        {key::CarryResult, "", true},
        {key::AlarmsOn, "yes", true},
        {key::SaveMemory, "\x01\xff", false},
    };
    for (const Case& c : cases) {
        SettingsStore store = memoryStore({{{"Startup", std::string(c.key.key)}, c.text}});
        EXPECT_EQ(readFlag(store, c.key), c.expected) << c.key.key << " = " << c.text;
    }
}

TEST(SettingsKeys, NumbersOutsideTheirRangeOrUnreadableGiveTheDefault) {
    struct Case {
        const SettingKey& key;
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {key::TapeSize, "0.55", 0.55},  {key::TapeSize, "0", 1},       {key::TapeSize, "-3", 1},
        {key::TapeSize, "1,5", 1},      {key::TapeSize, "1e999", 1},   {key::TapeSize, "nan", 1},
        {key::FontSize, "12", 12},      {key::FontSize, "5000", 8},    {key::FontSize, "+9", 9},
        {key::DecimalPlaces, "15", 15}, {key::DecimalPlaces, "16", 2}, {key::DecimalPlaces, "1", 2},
        {key::StartYear, "99", 1500},   {key::FontColor, "-1", 0},     {key::FontColor, "255", 255},
    };
    for (const Case& c : cases) {
        SettingsStore store = memoryStore({{{"Startup", std::string(c.key.key)}, c.text}});
        EXPECT_EQ(readNumber(store, c.key), c.expected) << c.key.key << " = " << c.text;
    }
    EXPECT_EQ(readInt(memoryStore({{{"Startup", "Decimal Places"}, "1e300"}}), key::DecimalPlaces), 2);
}

TEST(SettingsKeys, NumbersRoundTripInTheCForm) {
    for (double v : {0.0, 1.0, 0.55, 3.5, -120.0, 1500.0, 16777215.0, 0.1 + 0.2}) {
        const std::string text = SettingsStore::numberText(v);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(SettingsStore::toNumber(text), v) << text;
    }
    EXPECT_EQ(SettingsStore::numberText(1), "1");
    EXPECT_EQ(SettingsStore::numberText(-0.0), "0");
}

TEST(SettingsKeys, AReversedCalendarRangeFallsBackToTheDefaults) {
    SettingsStore store = memoryStore({{{"Startup", "Start Year"}, "2100"}, {{"Startup", "End Year"}, "2000"}});
    const StartupValues v = readStartupValues(store);
    EXPECT_EQ(v.startYear, 1500);
    EXPECT_EQ(v.endYear, 2400);
}

// ---- the INI file --------------------------------------------------------

class IniFile : public ::testing::Test {
protected:
    std::string write(const std::string& text) {
        const std::string path = dir.path().toStdString() + "/settings.ini";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string contents(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    QTemporaryDir dir;
};

TEST_F(IniFile, HostileValuesStartWithDefaultsAndLoseNoOtherKey) {
    const std::string path = write(
        "garbage line without equals\n"
        "[Startup]\n"
        "Font Size=9999999999999999999999999999\n"
        "Tape Size=\x01\x02\xff\xfe\n"
        "Financial Mode=perhaps\n"
        "Decimal Places=7\n"
        "Decimal Places=4\n"
        "Calc Top=-99999999999\n"
        "Start Year=12abc\n"
        "Font=\n"
        "Unknown Key=kept\n"
        "[Buttons]\n"
        "1Caption=Tap8\n"
        "1ToolTip=Tape to Scratch Pad\n"
        "[Other Section]\n"
        "x=1\n");
    {
        SettingsStore store(std::make_unique<IniFileBackend>(path));
        const StartupValues v = readStartupValues(store);
        EXPECT_EQ(v.tapeFont.size, 8);
        EXPECT_EQ(v.tapeFont.name, "Courier New");
        EXPECT_EQ(v.tapeSize, 1);
        EXPECT_FALSE(v.calcTop.has_value());
        EXPECT_EQ(v.startYear, 1500);
        EXPECT_EQ(v.toolbarCaptions[0], "Tap8");
        engine::Modes m;
        applyModeSettings(store, m);
        EXPECT_TRUE(m.financial);
        // One of the repeated values wins; either is a valid number of places.
        EXPECT_TRUE(m.decimalPlaces == 4 || m.decimalPlaces == 7);

        // A change written back keeps every other key.
        writeFlag(store, key::ExitButtonMinimize, true);
        store.backend().sync();
    }
    SettingsStore again(std::make_unique<IniFileBackend>(path));
    EXPECT_EQ(again.ReadSetting("Startup", "Unknown Key", ""), "kept");
    EXPECT_EQ(again.ReadSetting("Other Section", "x", ""), "1");
    EXPECT_EQ(again.ReadSetting("Buttons", "1ToolTip", ""), "Tape to Scratch Pad");
    EXPECT_TRUE(readFlag(again, key::ExitButtonMinimize));
}

TEST_F(IniFile, MissingFileAndMissingSectionsGiveDefaults) {
    const std::string path = dir.path().toStdString() + "/none.ini";
    SettingsStore store(std::make_unique<IniFileBackend>(path));
    EXPECT_EQ(readStartupValues(store).tapeFont, TapeFont{});
    const std::string other = write("[Intl]\nsDecimal=,\n");
    SettingsStore store2(std::make_unique<IniFileBackend>(other));
    EXPECT_EQ(readStartupValues(store2).endYear, 2400);
    EXPECT_EQ(readLocaleSymbols(store2).decimal, ",");
}

TEST_F(IniFile, ValuesWithSpecialCharactersRoundTrip) {
    const std::string path = write("");
    const std::vector<std::string> values = {"C:\\Program Files\\x.exe", "a,b,c", "@Variant(x)",
                                             "quote \" inside", "semi;colon", "Zoë ünïcode", " padded "};
    {
        SettingsStore store(std::make_unique<IniFileBackend>(path));
        for (std::size_t i = 0; i < values.size(); ++i)
            store.WriteSetting("Startup", "Key" + std::to_string(i), values[i]);
        store.backend().sync();
    }
    SettingsStore again(std::make_unique<IniFileBackend>(path));
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(again.ReadSetting("Startup", "Key" + std::to_string(i), ""), values[i]);
}

// Random INI text: reading never fails and every value lands in its range.
TEST_F(IniFile, RandomTextNeverBreaksTheReader) {
    std::mt19937 rng(20240601);
    const std::vector<std::string> pieces = {
        "[Startup]\n", "[Buttons]\n", "[Intl]\n", "Font Size=", "Tape Size=", "RPN Mode=",
        "Decimal Places=", "Calc Top=", "Font=", "sDecimal=", "1Caption=", "=", "\n", "\"", "\\",
        "1e308", "-0", "nan", "True", "\x00", "\xff\xfe", ",", "@Variant(", "[", "]", ";", "%", " "};
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int n = std::uniform_int_distribution<int>(0, 80)(rng);
        for (int i = 0; i < n; ++i) {
            if (rng() % 4 == 0) text += static_cast<char>(rng() % 256);
            else text += pieces[rng() % pieces.size()];
        }
        const std::string path = write(text);
        SettingsStore store(std::make_unique<IniFileBackend>(path));
        const StartupValues v = readStartupValues(store);
        EXPECT_GE(v.tapeSize, 0.4);
        EXPECT_LE(v.tapeSize, 3.5);
        EXPECT_GE(v.tapeFont.size, 1);
        EXPECT_LE(v.tapeFont.size, 400);
        EXPECT_LT(v.startYear, v.endYear);
        engine::Modes m;
        applyModeSettings(store, m);
        EXPECT_GE(m.decimalPlaces, 2);
        EXPECT_LE(m.decimalPlaces, 15);
        EXPECT_FALSE(m.addingMachine && m.rpn);
        const auto symbols = readLocaleSymbols(store);
        EXPECT_FALSE(symbols.decimal.empty());
        EXPECT_NE(symbols.decimal, symbols.thousand);
    }
}

}  // namespace
}  // namespace zorv::shell

namespace zorv::shell {
namespace {

// Symbols that numbers could not be told apart with are replaced by the
// default, each with one line for the debug log.
TEST(LocaleSymbols, ImpossibleSymbolsAreRejected) {
    const struct {
        const char* decimal;   // nullptr: not stored
        const char* thousand;
        const char* wantDecimal;
        const char* wantThousand;
        std::vector<std::string> why;  // one per rejected key
    } cases[] = {
        {",", ".", ",", ".", {}},
        {"\xD9\xAB", "\xE2\x80\xAF", "\xD9\xAB", "\xE2\x80\xAF", {}},  // Arabic decimal, narrow blank
        {"1", nullptr, ".", ",", {"sDecimal=\"1\" is not used because it is a digit"}},
        {"\xD9\xA3", nullptr, ".", ",", {"it is a digit"}},  // Arabic-Indic three
        {"+", nullptr, ".", ",", {"it is an operator"}},
        {"/", "*", ".", ",", {"it is an operator", "sThousand=\"*\""}},
        {"a", nullptr, ".", ",", {"it is a letter"}},
        {"\x01", nullptr, ".", ",", {"sDecimal=\"\\x01\" is not used because it is a control character"}},
        {nullptr, "1", ".", ",", {"sThousand=\"1\" is not used because it is a digit; \",\" is used instead."}},
        {nullptr, "X", ".", ",", {"it is a letter"}},
        {",", ",", ",", ".", {"sThousand=\",\" is not used because it is the decimal symbol; \".\" is used"}},
        {",", "7", ",", ".", {"it is a digit; \".\" is used instead."}},
        {".", ".", ".", ",", {"it is the decimal symbol"}},
    };
    for (const auto& c : cases) {
        SettingsStore store(std::make_unique<MemorySettingsBackend>());
        if (c.decimal) store.WriteSetting("Intl", "sDecimal", c.decimal);
        if (c.thousand) store.WriteSetting("Intl", "sThousand", c.thousand);
        std::vector<std::string> rejected;
        const auto s = readLocaleSymbols(store, {}, &rejected);
        const std::string label = std::string(c.decimal ? c.decimal : "-") + " " + (c.thousand ? c.thousand : "-");
        EXPECT_EQ(s.decimal, c.wantDecimal) << label;
        EXPECT_EQ(s.thousand, c.wantThousand) << label;
        ASSERT_EQ(rejected.size(), c.why.size()) << label;
        for (std::size_t i = 0; i < rejected.size(); ++i)
            EXPECT_NE(rejected[i].find(c.why[i]), std::string::npos) << rejected[i];
    }
}

}  // namespace
}  // namespace zorv::shell
