// The windows in German: their own texts are translated and, with the
// longer German words and their new Alt+letters, no two controls of a
// window share a letter.
#include <gtest/gtest.h>

#include "convert/BaseConversionWindow.h"
#include "convert/CurrencyWindow.h"
#include "convert/UnitConversionWindow.h"
#include "engine/CalculatorModel.h"
#include "expr/BuilderWindow.h"
#include "expr/ExpressionDialog.h"
#include "engine/ScriptedFeedback.h"
#include "shell/PropertiesForm.h"
#include "shell/PropertiesWindow.h"
#include "shell/SettingsStore.h"
#include "tests/convert_ui/Fixture.h"
#include "tests/shell/FakeWindow.h"
#include "tests/support/Mnemonics.h"

using namespace zorv;

namespace {

void expectGermanWithoutClashes(QWidget& window, const char* title) {
    window.show();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(title));
    const QStringList clashes = test::windowClashes(&window);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
}

struct Converters : ::testing::Test, test::ConverterFixture {};

}  // namespace

TEST_F(Converters, CurrencyWindowIsGerman) {
    convert::CurrencyWindow window(model, settings());
    expectGermanWithoutClashes(window, "Währungsumrechnung");
}

TEST_F(Converters, UnitAndBaseWindowsAreGerman) {
    convert::UnitConversionWindow units(model, settings());
    units.open(convert::UnitSystem::EnglishWeight);  // shows the Troy box too
    units.show();
    const QStringList clashes = test::windowClashes(&units);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    EXPECT_TRUE(units.windowTitle().startsWith(QString::fromUtf8("Umrechnung innerhalb eines Systems – ")))
        << units.windowTitle().toStdString();
    convert::BaseConversionWindow bases(model);
    expectGermanWithoutClashes(bases, "Basisumrechnung");
}

TEST(GermanProperties, PropertiesWindowIsGerman) {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    shell::SettingsStore store{nullptr};
    shell::ShellState state;
    shell::testing::FakeWindow window;
    shell::PropertiesForm form{model, store, state, window};
    shell::PropertiesWindow dialog{form, "/data"};
    dialog.load();
    dialog.show();
    const QStringList clashes = test::windowClashes(&dialog);
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    bool found = false;
    for (auto* box : dialog.findChildren<QWidget*>())
        if (box->property("title").toString() == QString::fromUtf8("Nachkommastellen")) found = true;
    EXPECT_TRUE(found);
}

TEST(GermanBuilder, ConstructionCalculatorIsGerman) {
    test::TempDir dir;
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    std::map<std::string, std::string> stored;
    auto session = std::make_shared<expr::BuilderSession>(
        model,
        [&stored](std::string_view key, std::string_view fallback) {
            const auto it = stored.find(std::string(key));
            return it == stored.end() ? std::string(fallback) : it->second;
        },
        [&stored](std::string_view key, std::string_view value) { stored[std::string(key)] = value; });
    expr::BuilderWindow window(model, feedback, expr::BuilderWindow::Options{dir.path.string()}, session);
    expectGermanWithoutClashes(window, "Baurechner (ft/in)");
}

TEST(GermanExpression, ExpressionDialogIsGerman) {
    test::TempDir dir;
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    expr::ExpressionDialog::Options options;
    options.dataDir = dir.path.string();
    options.readConfirm = [] { return std::string("0"); };
    options.writeConfirm = [](std::string) {};
    options.dontHideEval = [] { return false; };
    expr::ExpressionDialog window(model, feedback, options);
    expectGermanWithoutClashes(window, "Ausdruckseditor");
}
