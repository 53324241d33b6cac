// Start-up in order, its refusals, the memory register across runs, and the
// shell's own commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeWindow.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "shell/SettingsKeys.h"
#include "shell/StartupSequence.h"

namespace zorv::shell {
namespace {

using testing::FakeWindow;

struct Session {
    explicit Session(std::map<std::pair<std::string, std::string>, std::string> values = {}) {
        auto backend = std::make_unique<MemorySettingsBackend>();
        backend->values = std::move(values);
        memory = backend.get();
        store = std::make_unique<SettingsStore>(std::move(backend));
    }
    StartupResult start() {
        registerShellCommands(model, *store, state, &window);
        StartupContext c{model, *store, state, window};
        return runStartup(c);
    }
    std::string value(const std::string& key) {
        return store->ReadSetting("Startup", key, "<absent>");
    }

    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    MemorySettingsBackend* memory = nullptr;
    std::unique_ptr<SettingsStore> store;
    ShellState state;
    FakeWindow window;
};

std::ptrdiff_t indexOf(const std::vector<std::string>& calls, const std::string& name) {
    return std::find(calls.begin(), calls.end(), name) - calls.begin();
}

TEST(Startup, EmptyStoreStartsCentredWithDefaults) {
    Session s;
    ASSERT_EQ(s.start(), StartupResult::Started);
    EXPECT_TRUE(s.feedback.messages.empty());
    EXPECT_FALSE(s.window.placedTop.has_value());  // centred
    EXPECT_FALSE(s.window.placedLeft.has_value());
    EXPECT_EQ(s.window.font, TapeFont{});
    EXPECT_FALSE(s.window.hidden);
    EXPECT_FALSE(s.window.minimized);
    EXPECT_FALSE(s.window.onTop);
    EXPECT_EQ(s.window.exitToolTip, "Exit Zorv Calculator");
    EXPECT_EQ(s.window.buttons[4], std::make_pair(std::string("5R.Clk"), std::string("Right Click to Set Button")));
    EXPECT_EQ(s.state.StartYear, 1500);
    EXPECT_EQ(s.state.EndYear, 2400);
    EXPECT_TRUE(s.state.mnuAlarmsOn);
    EXPECT_EQ(s.model.readout(), "0.");
    EXPECT_EQ(s.model.maxDigits(), 35);
    EXPECT_FALSE(s.model.memory().shown());
}

TEST(Startup, StepsRunInOrder) {
    Session s({{{"Startup", "Tape Hide"}, "-1"},
               {{"Startup", "Hide Toolbar"}, "True"},
               {{"Startup", "Calc On Top"}, "True"},
               {{"Startup", "Start Minimized"}, "True"},
               {{"Startup", "Calc Top"}, "40"},
               {{"Startup", "Calc Left"}, "50"}});
    ASSERT_EQ(s.start(), StartupResult::Started);
    const auto& c = s.window.calls;
    const std::vector<std::string> order = {"recordFullTapeHeight", "setTapeFont", "setTapeHidden",
                                            "setToolbarButton", "layoutTape", "setToolbarHidden",
                                            "setStaysOnTop", "place", "minimize"};
    for (std::size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(indexOf(c, order[i - 1]), indexOf(c, order[i])) << order[i - 1] << " before " << order[i];
    EXPECT_EQ(s.window.placedTop, 40);
    EXPECT_EQ(s.window.placedLeft, 50);
    EXPECT_TRUE(s.window.hidden && s.window.toolbarIsHidden && s.window.onTop && s.window.minimized);
    EXPECT_TRUE(s.state.mnuCalcOnTop);
}

TEST(Startup, AMinimizedOrMaximizedWindowRefusesTheStart) {
    Session s;
    s.window.minMax = true;
    EXPECT_EQ(s.start(), StartupResult::Refused);
    ASSERT_EQ(s.feedback.messages.size(), 1u);
    EXPECT_EQ(s.feedback.messages[0].text,
              "Zorv Advanced Calculator CAN NOT start\nMinimized or Maximized!\n"
              "Please start it up in a Normal window and use F4\nto set the Start Up mode.");
    EXPECT_EQ(s.feedback.messages[0].icon, engine::MessageIcon::Critical);
    EXPECT_EQ(indexOf(s.window.calls, "place"), static_cast<std::ptrdiff_t>(s.window.calls.size()));
}

TEST(Startup, AFailingStepReportsItsErrorAndEndsTheStart) {
    Session s;
    s.window.failOnce = "setTapeFont";
    EXPECT_EQ(s.start(), StartupResult::Refused);
    ASSERT_EQ(s.feedback.messages.size(), 1u);
    EXPECT_EQ(s.feedback.messages[0].text, "Error # 5\nthe setTapeFont step failed");
    EXPECT_EQ(s.feedback.messages[0].title, "Zorv Advanced Calculator");
}

TEST(Startup, ExitButtonMinimizeSetsTheMarkAndTheToolTip) {
    Session s({{{"Startup", "Exit Button Minimize"}, "True"}});
    s.start();
    EXPECT_TRUE(s.state.mnuExitMin);
    EXPECT_EQ(s.window.exitToolTip, "Minimize Zorv Calculator");
    s.model.runCommand("Exit Button");
    EXPECT_TRUE(s.window.minimized);
    EXPECT_FALSE(s.window.closed);

    // The menu item flips the mark, stores it and changes the tool tip.
    s.model.runCommand("Exit Button Minimizes");
    EXPECT_FALSE(s.state.mnuExitMin);
    EXPECT_EQ(s.value("Exit Button Minimize"), "False");
    EXPECT_EQ(s.window.exitToolTip, "Exit Zorv Calculator");
    EXPECT_EQ(s.model.commands().checked("Exit Button Minimizes"), false);
    s.model.runCommand("Exit Button");
    EXPECT_TRUE(s.window.closed);
}

TEST(Startup, MemorySurvivesOnlyWithSaveMemory) {
    struct Case {
        const char* save;
        const char* memory;
        bool shown;
        const char* value;
    };
    const Case cases[] = {
        {"True", "12.5", true, "12.5"},
        {"False", "12.5", false, "0"},
        {"True", "0", false, "0"},
        {"True", "-0.000001", true, "-0.000001"},
    };
    for (const Case& c : cases) {
        Session s({{{"Startup", "Save Memory"}, c.save}, {{"Startup", "Memory"}, c.memory}});
        ASSERT_EQ(s.start(), StartupResult::Started);
        EXPECT_EQ(s.model.memory().shown(), c.shown) << c.save << " " << c.memory;
        EXPECT_EQ(s.model.memory().value().toString("."), c.value);
    }
    // An unreadable stored memory is a type mismatch: skipped, the start goes on.
    Session bad({{{"Startup", "Save Memory"}, "True"}, {{"Startup", "Memory"}, "twelve"}});
    EXPECT_EQ(bad.start(), StartupResult::Started);
    EXPECT_TRUE(bad.feedback.messages.empty());
    EXPECT_FALSE(bad.model.memory().shown());
}

TEST(Startup, ShutdownWritesMemoryAndPathWhenSaveMemoryIsOn) {
    Session s({{{"Startup", "Save Memory"}, "True"}});
    s.start();
    s.model.setReadout("1234.5");
    s.model.memoryStore();
    writeShutdownSettings(*s.store, s.model, "/home/u/data");
    EXPECT_EQ(s.value("Memory"), "1234.5");
    EXPECT_EQ(s.value("Path"), "/home/u/data");

    Session off;
    off.start();
    off.model.setReadout("7");
    off.model.memoryStore();
    writeShutdownSettings(*off.store, off.model, "/x");
    EXPECT_EQ(off.value("Memory"), "<absent>");
    EXPECT_EQ(off.value("Path"), "<absent>");
}

TEST(Startup, DeferredStepsPutUpTheTrayIconOrTheShowLabel) {
    struct Case {
        const char* startOnTop;
        bool trayAvailable;
        std::vector<std::string> ran;
    };
    const Case cases[] = {
        {"False", true, {"Show in Tray"}},
        {"False", false, {}},
        {"True", true, {"Stay On Top"}},
    };
    for (const Case& c : cases) {
        Session s({{{"Startup", "Start On Top"}, c.startOnTop}});
        std::vector<std::string> ran;
        s.model.commands().add(zorv::engine::CommandId::ShowInTray, [&ran] { ran.push_back("Show in Tray"); }, [] { return false; });
        s.model.commands().add(zorv::engine::CommandId::StayOnTop, [&ran] { ran.push_back("Stay On Top"); }, [] { return false; });
        StartupContext ctx{s.model, *s.store, s.state, s.window};
        runDeferredStartup(ctx, c.trayAvailable);
        EXPECT_EQ(ran, c.ran) << c.startOnTop << " " << c.trayAvailable;
    }
}

}  // namespace
}  // namespace zorv::shell
