// The Properties window's logic: filling, the controls' rules, Apply, Save
// (its order and forms), Cancel, and the publish set-up.
#include <gtest/gtest.h>

#include "FakeWindow.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/PropertiesForm.h"
#include "shell/SettingsKeys.h"
#include "shell/StartupSequence.h"

namespace zorv::shell {
namespace {

using testing::FakeWindow;

// Remembers the order of writes as well as the values.
class RecordingBackend : public MemorySettingsBackend {
public:
    void write(const std::string& section, const std::string& key, const std::string& value) override {
        order.push_back(key);
        MemorySettingsBackend::write(section, key, value);
    }
    std::vector<std::string> order;
};

struct Properties : ::testing::Test {
    Properties() {
        auto b = std::make_unique<RecordingBackend>();
        backend = b.get();
        store = std::make_unique<SettingsStore>(std::move(b));
        registerShellCommands(model, *store, state, &window);
    }
    PropertiesForm& open() {
        form = std::make_unique<PropertiesForm>(model, *store, state, window);
        form->open();
        return *form;
    }
    std::string value(const std::string& key) { return store->ReadSetting("Startup", key, "<absent>"); }

    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    RecordingBackend* backend = nullptr;
    std::unique_ptr<SettingsStore> store;
    ShellState state;
    FakeWindow window;
    std::unique_ptr<PropertiesForm> form;
};

TEST_F(Properties, TapeColorFindsThePaletteEntry) {
    PropertiesForm& f = open();
    struct Case {
        std::uint32_t colour;
        const char* name;
        int index;
    };
    const Case cases[] = {
        {0, "Black", 0},
        {128 * 65536, "Blue", 1},
        {128 + 256 * 128, "Yellow", 6},
        {192 + 256 * 192 + 65536 * 192, "White", 7},
        {255, "Light Red", 12},
        {0xFFFFFF, "Bright White", 15},
    };
    for (const Case& c : cases) {
        f.pending().colourIndex = -5;
        EXPECT_EQ(f.TapeColor(c.colour), c.name);
        EXPECT_EQ(f.pending().colourIndex, c.index);
    }
    f.pending().colourIndex = 3;
    EXPECT_EQ(f.TapeColor(123456), "");
    EXPECT_EQ(f.pending().colourIndex, 3);
}

TEST_F(Properties, OpeningFillsFromTheWindowTheModesAndTheStore) {
    window.font = {"DejaVu Sans Mono", 11.6, 128, true, false};
    window.ratio = 0.5;
    window.hidden = true;
    window.toolbarIsHidden = true;
    model.modes().financial = false;
    model.modes().rpn = true;
    model.modes().decimalPlaces = 7;
    model.modes().hideClearBanner = true;
    state.StartYear = 1900;
    state.mnuExitMin = true;
    store->WriteSetting("Startup", "Start Minimized", "True");
    store->WriteSetting("Startup", "Save Memory", "-1");

    const PendingProperties& p = open().pending();
    EXPECT_EQ(p.fontName, "DejaVu Sans Mono");
    EXPECT_EQ(p.fontSize, "12");
    EXPECT_EQ(p.colourIndex, 4);  // Red
    EXPECT_TRUE(p.bold);
    EXPECT_EQ(p.tapeSizePercent, 50);
    EXPECT_EQ(p.ratio, 0.5);
    EXPECT_EQ(form->sizeCaption(), "Hidden");
    EXPECT_EQ(p.decimalPlaces, 7);
    EXPECT_EQ(p.firstYear, "1900");
    EXPECT_EQ(p.lastYear, "2400");
    EXPECT_TRUE(p.startMinimized && p.saveMem && p.rpn && p.exitMin && p.hideToolbar && p.hideC);
    EXPECT_FALSE(p.finMode || p.startOnTop || p.toolbarToggled);
}

TEST_F(Properties, PairsExcludeEachOther) {
    PropertiesForm& f = open();
    f.setStartMinimized(true);
    f.setStartOnTop(true);
    EXPECT_FALSE(f.pending().startMinimized);
    f.setStartMinimized(true);
    EXPECT_FALSE(f.pending().startOnTop);
    f.setAddingMachine(true);
    f.setRpn(true);
    EXPECT_FALSE(f.pending().addMach);
    f.setAddingMachine(true);
    EXPECT_FALSE(f.pending().rpn);
    // Unchecking leaves the other as it is.
    f.setAddingMachine(false);
    EXPECT_FALSE(f.pending().rpn);
}

TEST_F(Properties, HideToolbarClickedTwiceLeavesTheToolbarAsItWas) {
    open().setHideToolbar(true);
    form->setHideToolbar(false);
    form->accept();
    EXPECT_FALSE(window.toolbarIsHidden);

    open().setHideToolbar(true);
    form->accept();
    EXPECT_TRUE(window.toolbarIsHidden);
}

TEST_F(Properties, HideToolbarRunsTheMenuCommandWhenThereIsOne) {
    int runs = 0;
    model.commands().add(zorv::engine::CommandId::HideShowToolbar, [&runs] { ++runs; });
    open().setHideToolbar(true);
    form->accept();
    EXPECT_EQ(runs, 1);
}

// A one- or two-digit year is completed to the century that suits its box
// (first year: up to the current year; last year: from it on), then
// checked like a four-digit year: both boxes follow the same rule, and a
// short last year no longer turns into the current-year message.
TEST_F(Properties, ShortYearsSuitTheirBox) {
    struct Case {
        int now;
        int box;
        const char* first;
        const char* last;
        const char* firstAfter;
        const char* lastAfter;
        bool message;
    };
    const Case cases[] = {
        {2026, 1, "1500", "05", "1500", "2105", false}, {2026, 0, "05", "2400", "2005", "2400", false},
        {2026, 1, "1500", "85", "1500", "2085", false}, {2026, 0, "85", "2400", "1985", "2400", false},
        {2026, 0, "50", "2400", "1950", "2400", false}, {2026, 1, "1500", "26", "1500", "2026", false},
        {2026, 0, "26", "2400", "2026", "2400", false}, {2026, 1, "1500", "5", "1500", "2105", false},
        {2099, 1, "1500", "98", "1500", "2198", false}, {2100, 0, "99", "2400", "2099", "2400", false},
        // The order of the two years still holds.
        {2026, 0, "99", "1990", "1989", "1990", true},  {2026, 1, "2030", "29", "2028", "2029", true},
    };
    for (const Case& c : cases) {
        PropertiesForm& f = open();
        feedback.clearRecord();
        f.pending().firstYear = c.first;
        f.pending().lastYear = c.last;
        f.txtYear_LostFocus(c.box, c.now);
        const std::string label = "in " + std::to_string(c.now) + " box " + std::to_string(c.box) + " " +
                                  c.first + "/" + c.last;
        EXPECT_EQ(f.pending().firstYear, c.firstAfter) << label;
        EXPECT_EQ(f.pending().lastYear, c.lastAfter) << label;
        EXPECT_EQ(feedback.messages.size(), c.message ? 1u : 0u) << label;
        if (c.message && !feedback.messages.empty())
            EXPECT_EQ(feedback.messages[0].text, "Starting year MUST be earlier than\rEnding year.") << label;
    }
}

TEST_F(Properties, YearBoxes) {
    struct Case {
        int box;
        const char* first;
        const char* last;
        const char* message;  // "" for none
        const char* firstAfter;
        const char* lastAfter;
        bool keepFocus;
    };
    const int now = 2024;
    const Case cases[] = {
        {0, "85", "2400", "", "1985", "2400", false},
        {0, "05", "2400", "", "2005", "2400", false},
        {0, "5", "2400", "", "2005", "2400", false},
        {0, "76", "2400", "", "1976", "2400", false},
        {1, "1500", "30", "", "1500", "2030", false},
        {0, "2025", "2400", "Starting Year MUST be less than\ror equal to the current year.", "2023",
         "2400", true},
        {0, "2000", "1990", "Starting year MUST be earlier than\rEnding year.", "1989", "1990", true},
        {1, "1500", "2023", "Ending Year MUST be greater than\ror equal to the current year.", "1500",
         "2025", true},
        {1, "1500", "10000", "Year MUST be between 100 and 9999.", "1500", "10000", true},
        {1, "2024", "2024", "Starting year MUST be earlier than\rEnding year.", "2023", "2024", true},
        {0, "1600", "2400", "", "1600", "2400", false},
    };
    for (const Case& c : cases) {
        PropertiesForm& f = open();
        feedback.clearRecord();
        f.pending().firstYear = c.first;
        f.pending().lastYear = c.last;
        const YearCheck r = f.txtYear_LostFocus(c.box, now);
        const std::string label = std::string("box ") + std::to_string(c.box) + " " + c.first + "/" + c.last;
        EXPECT_EQ(f.pending().firstYear, c.firstAfter) << label;
        EXPECT_EQ(f.pending().lastYear, c.lastAfter) << label;
        EXPECT_EQ(r.keepFocus, c.keepFocus) << label;
        if (*c.message) {
            ASSERT_EQ(feedback.messages.size(), 1u) << label;
            EXPECT_EQ(feedback.messages[0].text, c.message);
            EXPECT_EQ(feedback.messages[0].title, "Zorv Advanced Calculator");
            EXPECT_EQ(feedback.messages[0].icon, engine::MessageIcon::Information);
        } else {
            EXPECT_TRUE(feedback.messages.empty()) << label;
        }
    }
}

TEST_F(Properties, ApplySetsTheTapeTheMarksAndTheModesWithoutWriting) {
    PropertiesForm& f = open();
    auto& p = f.pending();
    p.fontName = "Liberation Mono";
    p.fontSize = "14";
    f.chooseColour(2);
    p.italic = true;
    p.finMode = false;
    p.autoDec = true;
    f.setRpn(true);
    p.exitMin = true;
    p.calcOnTop = true;
    p.decimalPlaces = 4;
    p.firstYear = "1800";
    p.lastYear = "2100";
    backend->order.clear();
    f.accept();
    EXPECT_TRUE(f.done());
    EXPECT_TRUE(backend->order.empty());
    EXPECT_EQ(window.font, (TapeFont{"Liberation Mono", 14, 128 * 256, false, true}));
    const auto& m = model.modes();
    EXPECT_FALSE(m.financial);
    EXPECT_TRUE(m.autoDecimal && m.rpn);
    EXPECT_EQ(m.decimalPlaces, 4);
    EXPECT_TRUE(state.mnuExitMin);
    EXPECT_EQ(window.exitToolTip, "Minimize Zorv Calculator");
    // "Calc On Top" is run, so the window's state follows its check mark.
    EXPECT_TRUE(state.mnuCalcOnTop);
    EXPECT_TRUE(window.onTop);
    EXPECT_EQ(state.StartYear, 1800);
    EXPECT_EQ(state.EndYear, 2100);
}

TEST_F(Properties, ATapeColourOutsideThePaletteIsKeptUnlessOneIsChosen) {
    window.font.colour = 0x123456;
    open().accept();
    EXPECT_EQ(window.font.colour, 0x123456u);
    open().chooseColour(0);
    form->accept();
    EXPECT_EQ(window.font.colour, 0u);
}

TEST_F(Properties, SaveWritesEveryKeyInOrderThenApplies) {
    window.pos = {33, 44};
    model.commands().add(zorv::engine::CommandId::StayOnTop, [] {}, [] { return true; });
    window.label = WindowPosition{0, 500};
    PropertiesForm& f = open();
    f.setTapeHidden(true);
    f.setCarryResult(false);
    f.setAddingMachine(true);
    backend->order.clear();
    f.saveAsDefaults();
    const std::vector<std::string> expected = {
        "Saved Settings", "Tape Size", "Font", "Font Size", "Font Color", "Font Bold", "Font Italic",
        "Calc Top", "Calc Left", "Tape Hide", "Carry Result", "Start Minimized", "Start On Top",
        "Calc On Top", "Financial Mode", "Show Percentage", "Adding Machine Mode", "RPN Mode",
        "Format Numbers", "Percent Calculation", "Save Memory", "AutoDecimal", "Hide C",
        "Decimal Places", "Hide Toolbar", "Start Year", "End Year", "Exit Button Minimize",
        "CalcShow Top", "CalcShow Left"};
    EXPECT_EQ(backend->order, expected);
    const std::pair<const char*, const char*> forms[] = {
        {"Saved Settings", "True"}, {"Tape Size", "1"},      {"Font", "Courier New"},
        {"Font Size", "8"},         {"Font Color", "0"},     {"Font Bold", "False"},
        {"Calc Top", "33"},         {"Calc Left", "44"},     {"Tape Hide", "-1"},
        {"Carry Result", "0"},      {"Financial Mode", "True"}, {"Adding Machine Mode", "1"},
        {"RPN Mode", "0"},          {"Format Numbers", "1"}, {"Percent Calculation", "1"},
        {"Save Memory", "False"},   {"Decimal Places", "2"}, {"Start Year", "1500"},
        {"End Year", "2400"},       {"CalcShow Top", "0"},   {"CalcShow Left", "500"}};
    for (const auto& [key, text] : forms) EXPECT_EQ(value(key), text) << key;
    EXPECT_TRUE(f.done());
    EXPECT_TRUE(model.modes().addingMachine);  // then Apply ran
}

TEST_F(Properties, ResetOfTheSizeGroupStoresExactlyOne) {
    window.ratio = 2.37;
    open().setTapeSize(180);
    form->resetTapeSize();
    EXPECT_EQ(value("Tape Size"), "1");
    EXPECT_EQ(window.ratio, 1);
    // With the tape hidden too.
    window.hidden = true;
    window.ratio = 0.6;
    open().resetTapeSize();
    EXPECT_EQ(value("Tape Size"), "1");
}

TEST_F(Properties, ResetOfTheFontGroupStoresTheDefaultFont) {
    window.font = {"Serif", 20, 255, true, true};
    open().resetFont();
    EXPECT_EQ(value("Font"), "Courier New");
    EXPECT_EQ(value("Font Size"), "8");
    EXPECT_EQ(value("Font Color"), "0");
    EXPECT_EQ(value("Font Italic"), "False");
    EXPECT_EQ(window.font, TapeFont{});
    EXPECT_TRUE(form->done());
}

TEST_F(Properties, TapeSizePreviewsAndCancelUndoesThem) {
    window.ratio = 1.2;
    PropertiesForm& f = open();
    f.setTapeSize(300);
    EXPECT_EQ(window.ratio, 3.0);
    EXPECT_EQ(f.sizeCaption(), "300%");
    f.setTapeHidden(true);
    EXPECT_TRUE(window.hidden);
    EXPECT_EQ(f.sizeCaption(), "Hidden");
    f.setTapeSize(50);  // hidden: nothing moves
    EXPECT_EQ(window.ratio, 3.0);
    f.setTapeHidden(false);
    EXPECT_FALSE(window.hidden);
    EXPECT_EQ(window.ratio, 0.5);
    f.cancel();
    EXPECT_TRUE(f.done());
    EXPECT_FALSE(window.hidden);
    EXPECT_EQ(window.ratio, 1.2);
    EXPECT_EQ(value("Tape Size"), "<absent>");
}

TEST_F(Properties, CancelKeepsTheClearAndCarryCheckBoxesWhichActAtOnce) {
    PropertiesForm& f = open();
    f.setHideClear(true);
    f.setCarryResult(false);
    f.cancel();
    EXPECT_TRUE(model.modes().hideClearBanner);
    EXPECT_FALSE(model.modes().carryResult);
    EXPECT_TRUE(backend->order.empty());
}

TEST_F(Properties, SaveThenAFreshStartRestoresEveryValue) {
    PropertiesForm& f = open();
    auto& p = f.pending();
    p.fontName = "Liberation Mono";
    p.fontSize = "12";
    f.chooseColour(9);
    p.bold = true;
    f.setTapeSize(75);
    f.setTapeHidden(true);
    f.setCarryResult(false);
    f.setHideClear(true);
    p.finMode = false;
    p.showPercentage = false;
    f.setRpn(true);
    p.formatNum = false;
    p.percentForNum = false;
    p.autoDec = true;
    p.saveMem = true;
    p.decimalPlaces = 5;
    f.setHideToolbar(true);
    p.firstYear = "1700";
    p.lastYear = "2200";
    p.exitMin = true;
    p.calcOnTop = true;
    f.setStartMinimized(true);
    window.pos = {120, 340};
    f.saveAsDefaults();

    // A new run on the same store.
    engine::ScriptedFeedback feedback2;
    engine::CalculatorModel model2(feedback2);
    ShellState state2;
    FakeWindow window2;
    registerShellCommands(model2, *store, state2, &window2);
    StartupContext c{model2, *store, state2, window2};
    ASSERT_EQ(runStartup(c), StartupResult::Started);
    EXPECT_EQ(window2.font, (TapeFont{"Liberation Mono", 12, 255 * 65536, true, false}));
    EXPECT_TRUE(window2.hidden);
    EXPECT_EQ(window2.ratio, 0.75);
    EXPECT_TRUE(window2.toolbarIsHidden);
    EXPECT_TRUE(window2.onTop);
    EXPECT_TRUE(window2.minimized);
    EXPECT_EQ(window2.placedTop, 120);
    EXPECT_EQ(window2.placedLeft, 340);
    EXPECT_EQ(window2.exitToolTip, "Minimize Zorv Calculator");
    const auto& m = model2.modes();
    EXPECT_FALSE(m.carryResult || m.financial || m.showPercentages || m.formatNumbers ||
                 m.percentForNumber || m.addingMachine);
    EXPECT_TRUE(m.hideClearBanner && m.rpn && m.autoDecimal);
    EXPECT_EQ(m.decimalPlaces, 5);
    EXPECT_EQ(state2.StartYear, 1700);
    EXPECT_EQ(state2.EndYear, 2200);
    EXPECT_TRUE(state2.mnuExitMin && state2.mnuCalcOnTop);
    EXPECT_TRUE(readFlag(*store, key::SaveMemory));
}

TEST_F(Properties, PublishSetUp) {
    struct Case {
        std::vector<std::string> answers;
        std::optional<std::string> file;
        const char* publishTo;
        const char* publishType;
        const char* message;
    };
    const Case cases[] = {
        {{"DOC"}, std::string("/usr/bin/writer"), "/usr/bin/writer", "DOC", ""},
        {{".xls"}, std::string("/opt/calc"), "/opt/calc", "xls", ""},
        {{"DOC"}, std::nullopt, "<absent>", "<absent>", ""},
        {{""}, std::string("/x"), "<absent>", "<absent>", ""},
        {{"../../evil"}, std::string("/x"), "<absent>", "<absent>",
         "The file extension may only hold letters and digits."},
    };
    for (const Case& c : cases) {
        backend->values.clear();
        PropertiesForm& f = open();
        feedback.clearRecord();
        for (const auto& a : c.answers) feedback.answer(a);
        std::string askedTitle, askedFolder;
        f.choosePublishProgram(
            [&](const std::string& title, const std::string& folder, const std::string&) {
                askedTitle = title;
                askedFolder = folder;
                return c.file;
            },
            "/home/u/data");
        const std::string label = c.answers[0];
        EXPECT_EQ(value("Publish To"), c.publishTo) << label;
        EXPECT_EQ(value("Publish Type"), c.publishType) << label;
        ASSERT_EQ(feedback.questions.size(), 1u);
        EXPECT_EQ(feedback.questions[0].title, "Publish To Set up");
        EXPECT_EQ(feedback.questions[0].defaultText, "TXT");
        if (*c.message) {
            EXPECT_EQ(feedback.messageTexts(), std::vector<std::string>{c.message}) << label;
        } else if (!askedTitle.empty()) {
            EXPECT_EQ(askedFolder, "/home/u/data");
            EXPECT_NE(askedTitle.find("Choose program (using file type "), std::string::npos);
        }
    }
    // The next set-up starts in the chosen program's folder, with its type.
    feedback.clearRecord();
    store->WriteSetting("Startup", "Publish To", "/opt/office/bin/writer");
    store->WriteSetting("Startup", "Publish Type", "ODT");
    feedback.answer("ODT");
    std::string folder;
    form->choosePublishProgram([&](const std::string&, const std::string& f, const std::string&) {
        folder = f;
        return std::optional<std::string>();
    }, "/data");
    EXPECT_EQ(folder, "/opt/office/bin/");
    EXPECT_EQ(feedback.questions[0].defaultText, "ODT");
}

TEST_F(Properties, AFailedFillingResetsTheTapeFontAndFillsAgain) {
    // The window's font cannot be set once (as an invalid font would fail).
    window.font = {"Broken", 30, 77, true, true};
    struct Throwing : FakeWindow {
        mutable int reads = 0;
        TapeFont tapeFont() const override {
            if (reads++ == 0) throw std::runtime_error("bad font");
            return font;
        }
    } w;
    w.font = window.font;
    PropertiesForm f(model, *store, state, w);
    f.open();
    ASSERT_EQ(feedback.messages.size(), 1u);
    EXPECT_EQ(feedback.messages[0].title, "Properties Error");
    EXPECT_EQ(feedback.messages[0].text,
              "An error has occured!\rWe will have to reset Tape Properties\r\nto their default values.");
    EXPECT_EQ(w.font, TapeFont{});
    EXPECT_EQ(value("Font"), "Courier New");
    EXPECT_EQ(f.pending().fontName, "Courier New");
    EXPECT_FALSE(f.done());
}

}  // namespace
}  // namespace zorv::shell
