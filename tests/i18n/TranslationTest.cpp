// The German translation as a user meets it: menus, window texts and the
// calculator's messages in German, with every menu still reachable by its
// own Alt+letter.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QTranslator>
#include <functional>
#include <set>
#include <utility>

#include "app/Translations.h"
#include "convert/ConversionCommands.h"
#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "engine/TapeCommands.h"
#include "engine/Translate.h"
#include "finance/FinanceCommands.h"
#include "platform/QtFeedback.h"
#include "tests/support/Mnemonics.h"
#include "ui/main/CalculatorWindow.h"

using namespace zorv;

namespace {

QStringList titles(QMenuBar* bar) {
    QStringList out;
    for (QAction* a : bar->actions()) out << a->text();
    return out;
}

QAction* entry(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

}  // namespace

TEST(GermanMenus, TitlesAndItemsAreGermanAndEachLetterIsUsedOnce) {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    convert::QuickConversions conversions{model};
    ui::CalculatorWindow w{model, &conversions};
    w.show();
    w.fillAllMenus();  // menus are filled when first opened
    const QStringList top = titles(w.menuBar());
    ASSERT_FALSE(top.isEmpty());
    EXPECT_EQ(top.front(), "&Datei");
    EXPECT_TRUE(top.contains("&Hilfe")) << top.join(" ").toStdString();
    QMenu* file = w.menuBar()->actions().front()->menu();
    ASSERT_NE(file, nullptr);
    EXPECT_NE(entry(file, "&Eigenschaften"), nullptr);
    // The captions of the Qt-free finance and conversion tables too.
    bool financeGerman = false;
    for (QAction* a : w.menuBar()->actions())
        if (a->menu() && entry(a->menu(), "&Lineare Abschreibung")) financeGerman = true;
    EXPECT_TRUE(financeGerman);

    // The hint line and the conversion set's name are shown German while
    // the model keeps them in English.
    auto* hint = w.findChild<QLabel*>(QStringLiteral("lblHint"));
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(model.hint(), "Press F1 for Help");
    EXPECT_EQ(hint->text(), QString::fromUtf8("F1 öffnet die Hilfe"));

    const QStringList clashes = test::menuBarClashes(w.menuBar());
    EXPECT_TRUE(clashes.isEmpty()) << clashes.join("\n").toStdString();
    const QStringList controls = test::windowClashes(&w);
    EXPECT_TRUE(controls.isEmpty()) << controls.join("\n").toStdString();
}

// Every entry of every menu, submenus included, in menu order.
QStringList menuTexts() {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    convert::QuickConversions conversions{model};
    ui::CalculatorWindow w{model, &conversions};
    w.fillAllMenus();
    QStringList out;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            out << a->text();
            if (a->menu()) walk(a->menu()->actions());
        }
    };
    walk(w.menuBar()->actions());
    return out;
}

TEST(GermanMenus, EveryMenuEntryIsTranslated) {
    // The same menus without the translators and with them: an entry that
    // reads the same in both is a text the catalogue lacks, or a caption
    // changed after it was translated.
    const QList<QTranslator*> translators = qApp->findChildren<QTranslator*>();
    ASSERT_FALSE(translators.isEmpty());
    for (QTranslator* t : translators) QCoreApplication::removeTranslator(t);
    const QStringList english = menuTexts();
    for (QTranslator* t : translators) QCoreApplication::installTranslator(t);
    const QStringList german = menuTexts();
    ASSERT_EQ(english.size(), german.size());
    ASSERT_EQ(english.front(), "&File");
    QStringList same;
    for (qsizetype i = 0; i < english.size(); ++i)
        if (english[i] == german[i] && english[i] != "&Computer") same << english[i];
    EXPECT_TRUE(same.isEmpty()) << same.join("\n").toStdString();
}

TEST(GermanMessages, CalculatorMessagesComeOutGermanThroughTheSeam) {
    EXPECT_EQ(engine::translate("Messages", "Invalid value!"), "Ungültiger Wert!");
    // Where the messages reach the window, keyed by their exact English text.
    EXPECT_EQ(platform::toDialogText("Clear the tape?"), QString::fromUtf8("Den Streifen löschen?"));
    // Unknown texts (a file name, a composed sentence) pass unchanged, with
    // their line breaks made LF.
    EXPECT_EQ(platform::toDialogText("MyTape.txt\r\nline"), QStringLiteral("MyTape.txt\nline"));

    // A sentence the calculator composes is translated before the search
    // text is put into it.
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    engine::TapeCommands tape{model};
    engine::registerTapeCommands(model, tape);
    model.tape().setText("Rent+\r\n");
    const auto ks = engine::parseKeyScript("{Find On Tape}[rates]");
    for (const auto& a : ks.answers) fb.answer(a);
    engine::runKeyScript(model, ks, [](const std::string& n) { FAIL() << "unknown command " << n; });
    EXPECT_EQ(fb.messageTexts(), std::vector<std::string>{"„rates“ wurde auf dem Streifen nicht gefunden."});
}

TEST(GermanMessages, EveryListedEngineTextHasATranslation) {
    std::set<std::pair<std::string, std::string>> listed;
    for (const auto& t : app::engineTexts()) {
        listed.emplace(t.context, t.text);
        EXPECT_NE(QCoreApplication::translate(t.context, t.text), QString::fromUtf8(t.text))
            << t.context << ": " << t.text;
    }
    // The finance and conversion menus' captions are all listed, so that a
    // caption added to those tables is not silently left out of the
    // translation files.
    for (const auto& i : finance::financeMenu())
        EXPECT_TRUE(listed.count({"zorv::ui", i.caption})) << i.caption;
    for (const auto& i : convert::conversionsMenu())
        if (!i.caption.empty()) EXPECT_TRUE(listed.count({"zorv::ui", i.caption})) << i.caption;
}

TEST(GermanMessages, StandardDialogButtonsAreGermanWhenQtShipsItsTranslation) {
    const QString qtFile = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm";
    if (!QFile::exists(qtFile)) GTEST_SKIP() << "no " << qtFile.toStdString();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
}

TEST(TranslateSeam, WithoutATranslatorTextsStayAsTheyAre) {
    engine::setTranslator(nullptr);
    EXPECT_EQ(engine::translate("Messages", "Invalid value!"), "Invalid value!");
    EXPECT_EQ(engine::translate("Messages", nullptr), "");
    engine::setTranslator([](const char*, const char* text) { return std::string("<") + text + ">"; });
    EXPECT_EQ(engine::translate("Messages", std::string("x")), "<x>");
    // Back to the window's translator for the tests that follow.
    engine::setTranslator([](const char* context, const char* text) {
        return QCoreApplication::translate(context, text).toStdString();
    });
}
