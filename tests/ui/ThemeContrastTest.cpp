// Every key caption and label of the main window reads at 4.5:1 or better
// on a dark palette and on a light one: the colours come from the palette.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>

#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/KeypadWidget.h"
#include "platform/ThemeColours.h"

using namespace zorv;

namespace {

QPalette darkPalette() {
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xee, 0xee, 0xee);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, QColor(0x31, 0x36, 0x3b));
    p.setColor(QPalette::ToolTipText, text);
    // A theme whose own pairings are faint: a dark blue link and a light
    // highlight under white text, as some dark themes ship.
    p.setColor(QPalette::Link, QColor(0x2b, 0x57, 0x97));
    p.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    p.setColor(QPalette::HighlightedText, QColor(0xfc, 0xfc, 0xfc));
    return p;
}

// What a control is drawn on: a button its face; any other widget the
// background of the nearest widget that fills its own, else the window.
QColor backgroundOf(QWidget* w) {
    if (qobject_cast<QAbstractButton*>(w)) return w->palette().color(QPalette::Button);
    for (QWidget* x = w; x; x = x->parentWidget())
        if (x->autoFillBackground() || x->isWindow()) return x->palette().color(x->backgroundRole());
    return w->palette().color(QPalette::Window);
}

// Also lists any style sheet: its colours would bypass the palette this
// test reads.
QStringList faintTexts(QWidget& window) {
    QStringList out;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->styleSheet().isEmpty()) out << w->objectName() + " has a style sheet";
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        else continue;
        if (text.isEmpty()) continue;
        const QPalette::ColorRole role =
            qobject_cast<QAbstractButton*>(w) ? QPalette::ButtonText : w->foregroundRole();
        const QColor fg = w->palette().color(QPalette::Active, role);
        const double ratio = platform::contrastRatio(fg, backgroundOf(w));
        if (ratio < 4.5)
            out << QStringLiteral("%1 \"%2\": %3:1").arg(w->objectName(), text).arg(ratio, 0, 'f', 2);
    }
    // The keypad draws its keys itself: each caption in the colour it
    // paints it, on the button face.
    for (auto* pad : window.findChildren<ui::KeypadWidget*>()) {
        const QColor face = pad->palette().color(QPalette::Active, QPalette::Button);
        for (int i = 0; i < pad->count(); ++i) {
            const double ratio = platform::contrastRatio(pad->captionColour(i), face);
            if (ratio < 4.5)
                out << QStringLiteral("%1 \"%2\": %3:1").arg(pad->key(i).objectName, pad->key(i).caption).arg(ratio, 0, 'f', 2);
        }
    }
    return out;
}

struct ThemedWindow {
    explicit ThemedWindow(const QPalette& palette) {
        savedStyle = QApplication::style()->name();
        savedPalette = QApplication::palette();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(palette);
        model.memory().label();
        w = std::make_unique<ui::CalculatorWindow>(model, &conversions);
        w->show();
    }
    ~ThemedWindow() {
        w.reset();
        QApplication::setPalette(savedPalette);
        QApplication::setStyle(QStyleFactory::create(savedStyle));
    }
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    convert::QuickConversions conversions{model};
    std::unique_ptr<ui::CalculatorWindow> w;
    QString savedStyle;
    QPalette savedPalette;
};

}  // namespace

TEST(ThemeContrast, ContrastRatioMatchesKnownPairs) {
    EXPECT_NEAR(platform::contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(platform::contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);
    const QColor fixed = platform::readableOn(QColor(0x2b, 0x57, 0x97), QColor(0x35, 0x35, 0x35));
    EXPECT_GE(platform::contrastRatio(fixed, QColor(0x35, 0x35, 0x35)), 4.5);
}

TEST(ThemeContrast, EveryCaptionAndLabelReadsOnADarkPalette) {
    ThemedWindow t(darkPalette());
    // The memory indicator and value show only with something in memory.
    t.model.commands().invoke(engine::CommandId::MemoryAdd);
    QApplication::processEvents();
    const QStringList faint = faintTexts(*t.w);
    EXPECT_TRUE(faint.isEmpty()) << faint.join("\n").toStdString();
    // The tape keeps its paper and ink, and a selection on it the theme's.
    for (const char* line : {"12.50+", "7.25+", "------------------", "19.75", "Grüße €5"})
        t.model.tape().post(line);
    t.w->txtTape()->select(8, 20);
    QApplication::processEvents();
    // For looking at: ZORV_SCREENSHOT_DIR=/tmp/shots keeps a picture.
    if (const QString dir = qEnvironmentVariable("ZORV_SCREENSHOT_DIR"); !dir.isEmpty())
        t.w->grab().save(dir + QStringLiteral("/main-dark.png"));
}

TEST(ThemeContrast, EveryCaptionAndLabelReadsOnTheLightFusionPalette) {
    ThemedWindow t(QStyleFactory::create(QStringLiteral("Fusion"))->standardPalette());
    const QStringList faint = faintTexts(*t.w);
    EXPECT_TRUE(faint.isEmpty()) << faint.join("\n").toStdString();
}
