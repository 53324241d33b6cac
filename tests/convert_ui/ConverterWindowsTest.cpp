// The unit and number-base windows on the offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "convert/BaseConversionWindow.h"
#include "convert/ConverterWindows.h"
#include "convert/CurrencyWindow.h"
#include "convert/UnitConversionWindow.h"
#include "tests/convert_ui/Fixture.h"

namespace {

using zorv::convert::Radix;
using zorv::convert::UnitSystem;
using zorv::engine::CommandId;
using zorv::engine::Decimal;

class ConverterWindows : public ::testing::Test, public zorv::test::ConverterFixture {
protected:
    ConverterWindows() { model.modes().financial = false; }
    void setReadout(const std::string& text) {
        model.setReadout(text);
        model.normalizeReadout();
    }
    Decimal readout() { return model.toDecimal(model.readout()); }
    template <typename T>
    T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static int rowStarting(QListWidget* list, const QString& prefix) {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().startsWith(prefix)) return i;
        return -1;
    }
};

TEST_F(ConverterWindows, UnitWindowConvertsLiveAndEnterPutsTheResultOnTheReadout) {
    setReadout("3");
    zorv::convert::UnitConversionWindow window(model, settings());
    window.open(UnitSystem::EnglishLength);
    window.show();
    auto* from = child<QListWidget>(window, "lstFrom");
    auto* to = child<QListWidget>(window, "lstTo");
    EXPECT_EQ(child<QLineEdit>(window, "txtValue")->text(), "3");
    from->setCurrentRow(rowStarting(from, "mile (mi)"));
    to->setCurrentRow(rowStarting(to, "yard"));
    EXPECT_EQ(child<QLineEdit>(window, "txtResult")->text(), "5280 yd");

    QTest::keyClick(child<QLineEdit>(window, "txtValue"), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(readout(), Decimal(5280));
    EXPECT_NE(model.tape().text().find("Convert 3 mi -> 5280 yd"), std::string::npos) << model.tape().text();
    EXPECT_EQ(stored["From Unit"], std::to_string(from->currentRow()));
    EXPECT_EQ(stored["To Unit"], std::to_string(to->currentRow()));

    // The remembered units come back on the next opening; Escape changes
    // nothing.
    setReadout("1");
    window.open(UnitSystem::EnglishLength);
    window.show();
    EXPECT_EQ(child<QLineEdit>(window, "txtResult")->text(), "1760 yd");
    const std::string tape = model.tape().text();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(model.tape().text(), tape);
    EXPECT_EQ(readout(), Decimal(1));
}

TEST_F(ConverterWindows, UnitsOfAnotherQuantityCannotBeChosenAndBadValuesAreRefused) {
    setReadout("2");
    zorv::convert::UnitConversionWindow window(model, settings());
    window.open(UnitSystem::Metric);
    auto* from = child<QListWidget>(window, "lstFrom");
    auto* to = child<QListWidget>(window, "lstTo");
    // Nothing remembered: the first unit into the next one of its kind.
    EXPECT_EQ(from->currentRow(), 0);
    EXPECT_EQ(to->currentRow(), 1);
    from->setCurrentRow(rowStarting(from, "kilogram"));
    const int meter = rowStarting(to, "meter (m)");
    ASSERT_GE(meter, 0);
    EXPECT_FALSE(to->item(meter)->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(to->item(rowStarting(to, "gram"))->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(to->currentItem()->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(child<QPushButton>(window, "cmdOK")->isEnabled());

    auto* ok = child<QPushButton>(window, "cmdOK");
    for (const char* bad : {"", "abc", "1e999999"}) {
        child<QLineEdit>(window, "txtValue")->setText(QString::fromLatin1(bad));
        EXPECT_FALSE(ok->isEnabled()) << bad;
        EXPECT_FALSE(child<QLabel>(window, "lblMessage")->text().isEmpty()) << bad;
        window.accept();
        EXPECT_EQ(readout(), Decimal(2));
        EXPECT_EQ(model.tape().text().find("Convert"), std::string::npos);
    }
}

TEST_F(ConverterWindows, TroyAndImperialCheckMarksChangeTheListsAndTheModes) {
    model.commands().add(CommandId::TroyMeasures, [this] {
        model.modes().troyMeasures = !model.modes().troyMeasures;
    });
    zorv::convert::UnitConversionWindow window(model, settings());
    window.open(UnitSystem::EnglishWeight);
    window.show();
    auto* troy = child<QCheckBox>(window, "chkTroy");
    EXPECT_TRUE(troy->isVisible());
    EXPECT_FALSE(child<QCheckBox>(window, "chkImperial")->isVisible());
    auto* from = child<QListWidget>(window, "lstFrom");
    const int plain = from->count();
    troy->click();
    EXPECT_TRUE(model.modes().troyMeasures);
    EXPECT_EQ(from->count(), plain + 4);
    EXPECT_GE(rowStarting(from, "troy ounce"), 0);
}

TEST_F(ConverterWindows, BaseWindowShowsTheWordInFourBasesAndRefusesWhatDoesNotFit) {
    setReadout("1");
    model.changeSign();
    zorv::convert::BaseConversionWindow window(model);
    window.setWordSize(8);
    window.open();
    window.show();
    EXPECT_EQ(window.field(Radix::Hexadecimal)->text(), "FF");
    EXPECT_EQ(window.field(Radix::Binary)->text(), "1111 1111");
    EXPECT_EQ(window.field(Radix::Octal)->text(), "377");

    // Any field may be edited; the others follow.
    auto* hex = window.field(Radix::Hexadecimal);
    hex->clear();
    QTest::keyClicks(hex, "7f");
    EXPECT_EQ(window.field(Radix::Decimal)->text(), "127");
    EXPECT_EQ(window.field(Radix::Octal)->text(), "177");

    auto* decimal = window.field(Radix::Decimal);
    decimal->clear();
    QTest::keyClicks(decimal, "256");
    EXPECT_FALSE(window.value().has_value());
    EXPECT_FALSE(child<QPushButton>(window, "cmdOK")->isEnabled());
    EXPECT_TRUE(window.field(Radix::Hexadecimal)->text().isEmpty());
    EXPECT_FALSE(child<QLabel>(window, "lblMessage")->text().isEmpty());
    // A wider word takes it.
    window.setWordSize(16);
    ASSERT_TRUE(window.value().has_value());
    EXPECT_EQ(window.field(Radix::Hexadecimal)->text(), "100");

    QTest::keyClick(decimal, Qt::Key_Return);
    EXPECT_EQ(readout(), Decimal(256));
    EXPECT_NE(model.tape().text().find("Base 256 = 100 hex = 400 oct = 1 0000 0000 bin"), std::string::npos)
        << model.tape().text();
}

TEST_F(ConverterWindows, BaseWindowRefusesAFractionFromTheReadout) {
    setReadout("2.5");
    zorv::convert::BaseConversionWindow window(model);
    window.open();
    EXPECT_FALSE(window.value().has_value());
    EXPECT_FALSE(child<QPushButton>(window, "cmdOK")->isEnabled());
    window.accept();
    EXPECT_EQ(readout(), Decimal::parse("2.5"));
    EXPECT_EQ(model.tape().text().find("Base"), std::string::npos);
}

TEST_F(ConverterWindows, InstalledCommandsOpenTheWindowsOnTheirSystem) {
    QWidget main;
    auto* host = zorv::convert::installConverterWindows(model, &main, settings());
    model.runCommand(CommandId::IntraSystemComputer);
    EXPECT_TRUE(host->units().isVisible());
    EXPECT_EQ(host->units().system(), UnitSystem::Computer);
    EXPECT_TRUE(host->units().windowTitle().endsWith("Computer"));
    model.runCommand(CommandId::BaseConversions);
    EXPECT_TRUE(host->bases().isVisible());
    model.runCommand(CommandId::CurrencyConversions);
    EXPECT_TRUE(host->currency().isVisible());
}

}  // namespace

namespace {

// The Alt+letter of every label and button of a window, with repeats.
std::vector<QChar> mnemonics(QWidget& window) {
    std::vector<QChar> out;
    QStringList texts;
    for (auto* l : window.findChildren<QLabel*>()) texts << l->text();
    for (auto* b : window.findChildren<QAbstractButton*>()) texts << b->text();
    for (const QString& t : texts) {
        const int at = t.indexOf(QLatin1Char('&'));
        if (at >= 0 && at + 1 < t.size() && t[at + 1] != QLatin1Char('&')) out.push_back(t[at + 1].toLower());
    }
    return out;
}

TEST_F(ConverterWindows, EveryControlHasANameAndNoMnemonicRepeats) {
    zorv::convert::UnitConversionWindow units(model, settings());
    zorv::convert::BaseConversionWindow bases(model);
    zorv::convert::CurrencyWindow currency(model, settings());
    for (QWidget* w : std::initializer_list<QWidget*>{&units, &bases, &currency}) {
        std::vector<QChar> keys = mnemonics(*w);
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << w->objectName().toStdString();
        for (auto* control : w->findChildren<QWidget*>()) {
            // Controls a user reaches: the window's own, and the OK and
            // Cancel buttons of its button box.
            const bool own = control->parentWidget() == w || qobject_cast<QAbstractButton*>(control);
            if (qobject_cast<QLabel*>(control) || control->focusPolicy() == Qt::NoFocus || !own) continue;
            EXPECT_FALSE(control->accessibleName().isEmpty())
                << w->objectName().toStdString() << " " << control->metaObject()->className();
        }
    }
}

}  // namespace
