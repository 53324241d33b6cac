#include "CorrectEntryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/CalculatorModel.h"
#include "engine/TapeNumber.h"

namespace zorv::journal {

namespace {

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString operatorCaption(char op) {
    switch (op) {
    case '+': return CorrectEntryDialog::tr("+  add");
    case '-': return CorrectEntryDialog::tr("-  subtract");
    case 'X': return CorrectEntryDialog::tr("X  multiply");
    case '/': return CorrectEntryDialog::tr("/  divide");
    default: return CorrectEntryDialog::tr("=  total");
    }
}

}  // namespace

CorrectEntryDialog::CorrectEntryDialog(const engine::CalculatorModel& model, const LastCalculation& chain, int entry,
                                       QWidget* parent)
    : QDialog(parent), model_(model), entry_(entry) {
    original_ = chain.entries.at(static_cast<std::size_t>(entry - 1));
    setWindowTitle(tr("Correct Entry"));
    setAccessibleName(tr("Correct Entry"));

    const QString shown = qs(engine::tapeNumber(model, original_.amount)) + QChar::fromLatin1(original_.op) +
                          qs(original_.itemText) + (original_.voided ? tr(" (void)") : QString());
    auto* what = new QLabel(tr("Entry %1 of %2 in the last calculation:").arg(entry).arg(chain.entries.size()), this);
    auto* line = new QLabel(shown, this);
    line->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    line->setAccessibleName(tr("Entry as printed"));
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);

    amount_ = new QLineEdit(qs(model.toText(original_.amount)), this);
    amount_->setAccessibleName(tr("New amount"));
    amount_->selectAll();

    operator_ = new QComboBox(this);
    operator_->setAccessibleName(tr("Operator"));
    const std::string allowed = LastCalculation::operatorsFor(original_);
    if (allowed.empty()) {
        operator_->addItem(operatorCaption('='), QChar::fromLatin1('='));
        operator_->setEnabled(false);
        operator_->setToolTip(tr("The entry with the total keeps its ="));
    } else {
        for (char op : allowed) operator_->addItem(operatorCaption(op), QChar::fromLatin1(op));
        operator_->setCurrentIndex(operator_->findData(QChar::fromLatin1(original_.op)));
    }

    void_ = new QCheckBox(tr("&Void this entry"), this);
    void_->setAccessibleName(tr("Void this entry"));
    void_->setChecked(original_.voided);
    connect(void_, &QCheckBox::toggled, this, [this, allowed](bool on) {
        amount_->setEnabled(!on);
        operator_->setEnabled(!on && !allowed.empty());
    });
    amount_->setEnabled(!original_.voided);
    operator_->setEnabled(!original_.voided && !allowed.empty());

    problem_ = new QLabel(this);
    problem_->setAccessibleName(tr("Problem"));
    problem_->setWordWrap(true);
    problem_->hide();

    auto* form = new QFormLayout;
    auto* amountLabel = new QLabel(tr("A&mount:"), this);
    amountLabel->setBuddy(amount_);
    auto* operatorLabel = new QLabel(tr("O&perator:"), this);
    operatorLabel->setBuddy(operator_);
    form->addRow(amountLabel, amount_);
    form->addRow(operatorLabel, operator_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* apply = buttons->button(QDialogButtonBox::Ok);
    apply->setText(tr("&Apply"));
    apply->setAccessibleName(tr("Apply"));
    apply->setDefault(true);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(tr("&Cancel"));
    cancel->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CorrectEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(line);
    layout->addLayout(form);
    layout->addWidget(void_);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    amount_->setFocus();
}

void CorrectEntryDialog::accept() {
    Correction c;
    c.entry = entry_;
    if (void_->isChecked()) {
        // Voiding an entry already void changes nothing.
        if (!original_.voided) correction_ = c;
        else correction_.reset();
        QDialog::accept();
        return;
    }
    engine::Decimal amount;
    try {
        amount = model_.toDecimal(amount_->text().trimmed().toStdString());
    } catch (const engine::DecimalError&) {
        problem_->setText(tr("The amount is not a number."));
        problem_->show();
        amount_->setFocus();
        amount_->selectAll();
        return;
    }
    if (amount != original_.amount || original_.voided) c.amount = amount;
    const QVariant data = operator_->currentData();
    const char op = data.isValid() ? static_cast<char>(data.toChar().toLatin1()) : original_.op;
    if (op != original_.op) c.op = op;
    if (c.amount || c.op) correction_ = c;
    else correction_.reset();
    QDialog::accept();
}

}  // namespace zorv::journal
