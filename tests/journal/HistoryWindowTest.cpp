// The tape history window: list, search across tapes, restore and delete
// with their questions. With ZORV_SHOT_DIR set it also saves pictures of
// the window in the desktop's palette and in a dark one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTreeWidget>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "journal/TapeHistory.h"
#include "journal/TapeHistoryWindow.h"
#include "journal/TapeJournal.h"
#include "support/TestFiles.h"

using namespace zorv;
using namespace zorv::journal;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "journal_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* a = QApplication::instance() ? nullptr : new QApplication(argc, argv);
    return a ? *a : *qApp;
}

void shot(QWidget& w, const char* name) {
    const QByteArray dir = qgetenv("ZORV_SHOT_DIR");
    if (dir.isEmpty()) return;
    w.show();
    QApplication::processEvents();
    w.grab().save(QString::fromUtf8(dir) + "/" + QString::fromLatin1(name));
}

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 55));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    return p;
}

}  // namespace

TEST(TapeHistoryWindowTest, ListsSearchesRestoresAndDeletes) {
    app();
    test::TempDir dir;
    const std::string folder = dir.path.string();
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model(fb);
    TapeJournal journal(model, {folder});
    journal.start();
    // Three days of work, each cleared in turn into the history.
    const char* days[] = {"Rent {Annotate}\r\n1,200.00+\r\n", "Invoice 4711\r\n310.25+\r\n89.75+\r\n",
                          "Petty cash\r\n12.40+\r\n7.60-\r\n"};
    for (const char* day : days) {
        model.tape().setText(day);
        model.tape().clear();
    }
    model.tape().setText("Today\r\n5.00+\r\n");
    TapeHistoryWindow w(model, historyFolder(folder));
    ASSERT_EQ(w.list()->topLevelItemCount(), 3);
    EXPECT_EQ(w.list()->topLevelItem(0)->text(1), "Petty cash");  // newest first
    EXPECT_EQ(w.list()->topLevelItem(0)->text(3), "3");
    EXPECT_TRUE(w.viewer()->isReadOnly());
    EXPECT_TRUE(w.viewer()->toPlainText().startsWith("Petty cash\n12.40+"));

    w.search()->setText("invoice");
    ASSERT_EQ(w.list()->topLevelItemCount(), 1);
    EXPECT_EQ(w.list()->topLevelItem(0)->text(1), "Invoice 4711");
    shot(w, "tape-history-search.png");

    // Restore: a question; Yes puts the old tape back and keeps today's.
    fb.answer("no");
    w.restoreSelected();
    EXPECT_EQ(model.tape().text(), "Today\r\n5.00+\r\n");
    fb.answer("yes");
    w.restoreSelected();
    EXPECT_EQ(model.tape().text(), days[1]);
    w.search()->clear();
    EXPECT_EQ(w.list()->topLevelItemCount(), 4);

    // Delete asks too.
    w.list()->setCurrentItem(w.list()->topLevelItem(0));
    fb.answer("no");
    w.deleteSelected();
    EXPECT_EQ(w.list()->topLevelItemCount(), 4);
    fb.answer("yes");
    w.deleteSelected();
    EXPECT_EQ(w.list()->topLevelItemCount(), 3);
    shot(w, "tape-history.png");

    w.setPalette(darkPalette());
    w.viewer()->setPalette(darkPalette());
    w.list()->setPalette(darkPalette());
    shot(w, "tape-history-dark.png");
}
