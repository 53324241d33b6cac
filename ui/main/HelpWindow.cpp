#include "HelpWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zorv::ui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Zorv Advanced Calculator Help"));

    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    // Links out of the guide open in the desktop's browser, not in here.
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* contents = buttons->addButton(tr("&Contents"), QDialogButtonBox::ActionRole);
    QPushButton* back = buttons->addButton(tr("&Back"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(contents, &QPushButton::clicked, this, [this] { showTopic({}); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    back->setEnabled(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);

    browser_->setSource(QUrl(guideUrl()));
    resize(760, 640);
}

QString HelpWindow::guideUrl() { return QStringLiteral("qrc:/help/help.html"); }

void HelpWindow::showTopic(const QString& anchor) {
    QUrl url(guideUrl());
    if (!anchor.isEmpty()) url.setFragment(anchor);
    browser_->setSource(url);
    if (anchor.isEmpty()) browser_->scrollToAnchor(QStringLiteral("top"));
}

QString HelpWindow::topicForHint(const QString& hint) {
    const qsizetype open = hint.indexOf(QLatin1Char('['));
    const qsizetype close = hint.indexOf(QLatin1Char(']'), open);
    if (open < 0 || close < 0) return {};
    const QString topic = hint.mid(open + 1, close - open - 1);
    if (topic == QLatin1String("Adding") || topic == QLatin1String("Subtracting") ||
        topic == QLatin1String("Multiplying") || topic == QLatin1String("Dividing"))
        return QStringLiteral("operators");
    if (topic == QLatin1String("Percent")) return QStringLiteral("percent");
    if (topic == QLatin1String("Scientific")) return QStringLiteral("scientific");
    if (topic == QLatin1String("RPN")) return QStringLiteral("rpn");
    return {};
}

}  // namespace zorv::ui
