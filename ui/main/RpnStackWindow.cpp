#include "RpnStackWindow.h"

#include "platform/ThemeColours.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/RpnStack.h"

namespace zorv::ui {

RpnStackWindow::RpnStackWindow(engine::RpnStack& stack, QWidget* parent)
    : QDialog(parent), stack_(stack) {
    setObjectName(QStringLiteral("frmRPNStack"));
    setWindowTitle(tr("RPN Stack"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QVBoxLayout(this);
    depth_ = new QLabel(this);
    depth_->setObjectName(QStringLiteral("lblDepth"));
    layout->addWidget(depth_);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstStack"));
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(mono.pointSizeF() * 1.2);
    list_->setFont(mono);
    list_->setMinimumSize(QFontMetrics(mono).horizontalAdvance(QLatin1Char('0')) * 34,
                          QFontMetrics(mono).lineSpacing() * 10);
    layout->addWidget(list_, 1);

    auto* hint = new QLabel(tr("\"=\" enters the readout; an operator combines the top number "
                               "with the keyed one, or the top two."),
                            this);
    hint->setWordWrap(true);
    platform::setTextColour(hint, QPalette::WindowText, platform::quietText(palette()));
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setFocusPolicy(Qt::NoFocus);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);

    stack_.onChange = [this] { refresh(); };
    refresh();
}

RpnStackWindow::~RpnStackWindow() { stack_.onChange = nullptr; }

void RpnStackWindow::refresh() {
    list_->clear();
    const auto lines = stack_.lines();
    for (const auto& line : lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line), list_);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (lines.empty())
        depth_->setText(tr("The stack is empty."));
    else if (lines.size() == 1)
        depth_->setText(tr("One number on the stack:"));
    else
        depth_->setText(tr("%1 numbers on the stack, the top first:").arg(lines.size()));
}

}  // namespace zorv::ui
