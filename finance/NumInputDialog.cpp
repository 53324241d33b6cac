#include "finance/NumInputDialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorv::finance {

NumInputDialog::NumInputDialog(engine::CalculatorModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setWindowTitle(tr("Numeric Input"));
    setObjectName(QStringLiteral("frmNumInput"));
    lblPrompt_ = new QLabel(this);
    lblPrompt_->setWordWrap(true);
    txtInput_ = new QLineEdit(this);
    txtInput_->setObjectName(QStringLiteral("txtInput"));
    txtInput_->installEventFilter(this);
    cmdExit_[0] = new QPushButton(tr("&OK"), this);
    cmdExit_[1] = new QPushButton(tr("&Cancel"), this);
    cmdExit_[0]->setDefault(true);
    connect(cmdExit_[0], &QPushButton::clicked, this, [this] { exitButtonClicked(0); });
    connect(cmdExit_[1], &QPushButton::clicked, this, [this] { exitButtonClicked(1); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExit_[0]);
    buttons->addWidget(cmdExit_[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt_);
    layout->addWidget(txtInput_);
    layout->addLayout(buttons);
    setMinimumWidth(320);
}

void NumInputDialog::Init(const std::string& prompt, const std::string& title, const std::string& defaultText) {
    lblPrompt_->setText(QString::fromStdString(prompt));
    setWindowTitle(QString::fromStdString(title));
    input_ = defaultText;
    txtInput_->setText(QString::fromStdString(defaultText));
}

std::optional<std::string> NumInputDialog::run() {
    if (exec() == QDialog::Accepted) return input_;
    return std::nullopt;
}

void NumInputDialog::processPendingEvents() { QCoreApplication::processEvents(); }

void NumInputDialog::exitButtonClicked(int index) {
    if (index == 0) {
        const auto answer = normaliseAnswer(txtInput_->text().toStdString(), model_.symbols());
        if (!answer) {
            model_.feedback().showMessage("Invalid value!", std::string(engine::kProductName),
                                          engine::MessageIcon::Information);
            txtInput_->setFocus();
            return;
        }
        input_ = *answer;
        accept();
        return;
    }
    reject();
}

void NumInputDialog::reject() {
    // Cancel, Escape and closing the window all end the question.
    input_.clear();
    model_.inputCancelled = true;
    QDialog::reject();
}

void NumInputDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtInput_->setMaxLength(model_.maxDigits() > 0 ? model_.maxDigits() : 35);
    txtInput_->setFocus();
    txtInput_->selectAll();
}

bool NumInputDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtInput_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Editing and navigation keys and shortcuts carry no printable text;
    // they keep their usual meaning (Enter presses OK, Escape cancels).
    if (text.isEmpty() || text.at(0).isNonCharacter() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const auto mapped = filterAnswerKey(text.toStdString(), model_.symbols());
    if (!mapped) return true;
    if (QString::fromStdString(*mapped) != text) {
        txtInput_->insert(QString::fromStdString(*mapped));
        return true;
    }
    return false;
}

}  // namespace zorv::finance
