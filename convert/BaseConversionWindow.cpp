#include "convert/BaseConversionWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "convert/ConverterUi.h"

namespace zorv::convert {

using ui::named;
using ui::qs;

namespace {

constexpr std::array<Radix, 4> kRadixes{Radix::Decimal, Radix::Hexadecimal, Radix::Octal, Radix::Binary};
constexpr std::array<int, 4> kWordSizes{8, 16, 32, 64};
constexpr int kDefaultWordSize = 32;

}  // namespace

BaseConversionWindow::BaseConversionWindow(engine::CalculatorModel& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName(QStringLiteral("frmBaseConversions"));
    setWindowTitle(tr("Base Conversions"));

    wordSize_ = named(new QComboBox(this), "cboWordSize", tr("Word size"));
    for (int bits : kWordSizes) wordSize_->addItem(QStringLiteral("%1 bits").arg(bits), bits);
    wordSize_->setCurrentIndex(wordSize_->findData(kDefaultWordSize));

    const char* names[] = {"txtDecimal", "txtHex", "txtOctal", "txtBinary"};
    const QString captions[] = {tr("&Decimal:"), tr("&Hexadecimal:"),
                                tr("Oc&tal:"), tr("&Binary:")};
    const QString spoken[] = {tr("Decimal"), tr("Hexadecimal"),
                              tr("Octal"), tr("Binary")};
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* form = new QFormLayout;
    auto* sizeLabel = new QLabel(tr("&Word size:"), this);
    sizeLabel->setBuddy(wordSize_);
    form->addRow(sizeLabel, wordSize_);
    for (int i = 0; i < 4; ++i) {
        fields_[i] = named(new QLineEdit(this), names[i], spoken[i]);
        fields_[i]->setFont(fixed);
        auto* label = new QLabel(captions[i], this);
        label->setBuddy(fields_[i]);
        form->addRow(label, fields_[i]);
        connect(fields_[i], &QLineEdit::textEdited, this, [this, i] { edited(i); });
    }
    // Room for 64 bits in nibbles.
    fields_[3]->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(80, QLatin1Char('0'))));

    message_ = named(new QLabel(this), "lblMessage", tr("Message"));
    message_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = named(buttons->button(QDialogButtonBox::Ok), "cmdOK", tr("OK"));
    named(buttons->button(QDialogButtonBox::Cancel), "cmdCancel", tr("Cancel"));
    ok_->setDefault(true);

    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(message_);
    top->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &BaseConversionWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BaseConversionWindow::reject);
    connect(wordSize_, &QComboBox::currentIndexChanged, this, [this] { reread(); });
}

QLineEdit* BaseConversionWindow::field(Radix radix) const {
    for (int i = 0; i < 4; ++i)
        if (kRadixes[i] == radix) return fields_[i];
    return nullptr;
}

void BaseConversionWindow::setWordSize(int bits) {
    const int index = wordSize_->findData(bits);
    if (index >= 0) wordSize_->setCurrentIndex(index);
}

void BaseConversionWindow::open() {
    for (QLineEdit* f : fields_) f->clear();
    fields_[0]->setText(qs(model_.readoutForCopy()));
    lastEdited_ = 0;
    reread();
    fields_[0]->selectAll();
    fields_[0]->setFocus();
}

void BaseConversionWindow::edited(int index) {
    lastEdited_ = index;
    reread();
}

// Reads the field edited last in the current word size and shows the value
// in the other fields, or says why it cannot.
void BaseConversionWindow::reread() {
    const int bits = wordSize_->currentData().toInt();
    const std::string text = fields_[lastEdited_]->text().trimmed().toStdString();
    value_.reset();
    try {
        if (text.empty()) throw BaseError("Type a whole number.");
        value_ = WordValue::parse(text, kRadixes[lastEdited_], bits, model_.symbols());
        showValue(*value_, lastEdited_);
        message_->clear();
    } catch (const BaseError& e) {
        // The other fields are emptied so that nothing stale is mistaken for
        // the value.
        for (int i = 0; i < 4; ++i)
            if (i != lastEdited_) fields_[i]->clear();
        message_->setText(qs(std::string(e.what())));
    }
    ok_->setEnabled(value_.has_value());
}

void BaseConversionWindow::showValue(const WordValue& value, int except) {
    for (int i = 0; i < 4; ++i) {
        if (i == except) continue;
        const std::string text =
            kRadixes[i] == Radix::Decimal ? value.toDecimal().toString(model_.decimalSymbol()) : value.text(kRadixes[i]);
        fields_[i]->setText(qs(text));
    }
}

void BaseConversionWindow::accept() {
    if (!value_) {
        model_.feedback().beep();
        return;
    }
    enterConversion(model_, value_->toDecimal(), value_->tapeLine());
    QDialog::accept();
}

}  // namespace zorv::convert
