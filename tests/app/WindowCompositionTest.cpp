// The window's composition as the program makes it: every command the
// window offers is registered exactly once, none is left to a batch form a
// window then replaces, and start-up registers nothing again.
#include <gtest/gtest.h>

#include <QApplication>
#include <string>

#include "app/GuiSession.h"
#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "tests/support/TestFiles.h"

using namespace zorv;
using engine::CommandScope;

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

std::string nameOf(engine::CommandId id) {
    const auto& row = engine::commandSpec(id);
    return row.text.empty() ? std::string(row.argumentWord) : std::string(row.text);
}

std::string twice(const engine::CommandCatalogue& commands) {
    std::string out;
    for (const auto id : commands.registeredTwice()) out += "{" + nameOf(id) + "} ";
    return out;
}

}  // namespace

TEST(WindowComposition, RegistersEveryCommandOnceBeforeAndAfterStartUp) {
    application();
    test::TempDir dir;
    app::GuiOptions options;
    options.settingsFile = dir / "settings.ini";
    options.dataDir = dir / "data";
    options.now = "2026-12-08T09:00:00";
    app::GuiComposition gui(options);
    const engine::CommandCatalogue& commands = gui.model().commands();

    EXPECT_EQ(twice(commands), "");
    for (const auto& row : engine::commandTable())
        EXPECT_EQ(commands.contains(row.id), row.scope != CommandScope::Planned) << nameOf(row.id);

    ASSERT_TRUE(gui.start());
    QApplication::processEvents();
    EXPECT_EQ(twice(commands), "");
}
