#include "convert/UnitConversionWindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "convert/ConverterUi.h"

namespace zorv::convert {

using engine::CommandId;
using engine::Decimal;
using ui::named;
using ui::qs;

UnitConversionWindow::UnitConversionWindow(engine::CalculatorModel& model, ConverterSettings settings,
                                           QWidget* parent)
    : QDialog(parent), model_(model), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("frmUnitConversions"));

    value_ = named(new QLineEdit(this), "txtValue", tr("Value to convert"));
    auto* valueLabel = new QLabel(tr("&Value:"), this);
    valueLabel->setBuddy(value_);

    from_ = named(new QListWidget(this), "lstFrom", tr("Convert from unit"));
    to_ = named(new QListWidget(this), "lstTo", tr("Convert to unit"));
    for (QListWidget* list : {from_, to_}) {
        list->setMinimumWidth(220);
        list->setMinimumHeight(240);
    }
    auto* fromLabel = new QLabel(tr("&From:"), this);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(tr("&To:"), this);
    toLabel->setBuddy(to_);

    troy_ = named(new QCheckBox(tr("T&roy Measures"), this), "chkTroy",
                  tr("Troy measures"));
    imperial_ = named(new QCheckBox(tr("&Imperial Measures"), this), "chkImperial",
                      tr("Imperial measures"));

    result_ = named(new QLineEdit(this), "txtResult", tr("Result"));
    result_->setReadOnly(true);
    auto* resultLabel = new QLabel(tr("Re&sult:"), this);
    resultLabel->setBuddy(result_);
    message_ = named(new QLabel(this), "lblMessage", tr("Message"));
    message_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = named(buttons->button(QDialogButtonBox::Ok), "cmdOK", tr("OK"));
    named(buttons->button(QDialogButtonBox::Cancel), "cmdCancel", tr("Cancel"));
    ok_->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(valueLabel, 0, 0);
    grid->addWidget(value_, 0, 1, 1, 2);
    grid->addWidget(fromLabel, 1, 1);
    grid->addWidget(toLabel, 1, 2);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(to_, 2, 2);
    auto* marks = new QHBoxLayout;
    marks->addWidget(troy_);
    marks->addWidget(imperial_);
    marks->addStretch(1);
    grid->addLayout(marks, 3, 1, 1, 2);
    grid->addWidget(resultLabel, 4, 0);
    grid->addWidget(result_, 4, 1, 1, 2);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addWidget(message_);
    top->addWidget(buttons);

    setTabOrder(value_, from_);
    setTabOrder(from_, to_);
    setTabOrder(to_, troy_);
    setTabOrder(troy_, imperial_);
    setTabOrder(imperial_, result_);

    connect(buttons, &QDialogButtonBox::accepted, this, &UnitConversionWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &UnitConversionWindow::reject);
    connect(value_, &QLineEdit::textChanged, this, [this] { refresh(); });
    connect(from_, &QListWidget::currentRowChanged, this, [this] { fromChanged(); });
    connect(to_, &QListWidget::currentRowChanged, this, [this] { refresh(); });
    connect(troy_, &QCheckBox::clicked, this, [this] { measuresToggled(CommandId::TroyMeasures); });
    connect(imperial_, &QCheckBox::clicked, this, [this] { measuresToggled(CommandId::ImperialMeasures); });
}

Measures UnitConversionWindow::measures() const {
    return {model_.modes().troyMeasures, model_.modes().imperialMeasures};
}

const Unit* UnitConversionWindow::unitAt(int row) const {
    const auto units = unitsOf(system_, measures());
    if (row < 0 || static_cast<std::size_t>(row) >= units.size()) return nullptr;
    return &units[static_cast<std::size_t>(row)];
}

void UnitConversionWindow::open(UnitSystem system) {
    system_ = system;
    setWindowTitle(tr("Intra-System Conversions - %1").arg(qs(systemName(system))));
    troy_->setVisible(system == UnitSystem::EnglishWeight);
    imperial_->setVisible(system == UnitSystem::EnglishCapacity);
    value_->setText(qs(model_.readoutForCopy()));
    fillLists(readIntSetting(settings_, kFromUnitKey, 0), readIntSetting(settings_, kToUnitKey, 0));
    value_->selectAll();
    value_->setFocus();
}

void UnitConversionWindow::fillLists(int fromRow, int toRow) {
    troy_->setChecked(model_.modes().troyMeasures);
    imperial_->setChecked(model_.modes().imperialMeasures);
    const auto units = unitsOf(system_, measures());
    const int count = static_cast<int>(units.size());
    QSignalBlocker blockFrom(from_), blockTo(to_);
    from_->clear();
    to_->clear();
    for (const Unit& unit : units) {
        from_->addItem(qs(unitLabel(unit)));
        to_->addItem(qs(unitLabel(unit)));
    }
    if (fromRow < 0 || fromRow >= count) fromRow = 0;
    from_->setCurrentRow(fromRow);
    // No unit converts into itself usefully: then the next one of its kind.
    if (toRow < 0 || toRow >= count || toRow == fromRow) toRow = -1;
    to_->setCurrentRow(toRow);
    fromChanged();
}

void UnitConversionWindow::fromChanged() {
    const Unit* from = unitAt(from_->currentRow());
    if (!from) return;
    // Units of another quantity stay listed but cannot be chosen.
    int firstOther = -1;
    int firstSame = -1;
    for (int row = 0; row < to_->count(); ++row) {
        const bool same = unitAt(row)->quantity == from->quantity;
        QListWidgetItem* item = to_->item(row);
        item->setFlags(same ? (item->flags() | Qt::ItemIsEnabled) : (item->flags() & ~Qt::ItemIsEnabled));
        if (same && firstSame < 0) firstSame = row;
        if (same && row != from_->currentRow() && firstOther < 0) firstOther = row;
    }
    const Unit* to = unitAt(to_->currentRow());
    if (!to || to->quantity != from->quantity) {
        QSignalBlocker block(to_);
        to_->setCurrentRow(firstOther >= 0 ? firstOther : firstSame);
    }
    refresh();
}

void UnitConversionWindow::measuresToggled(CommandId id) {
    // The menu's check mark, kept in the settings like the menu does.
    const int fromRow = from_->currentRow();
    const int toRow = to_->currentRow();
    model_.runCommand(id);
    fillLists(fromRow, toRow);
}

UnitConversionWindow::Outcome UnitConversionWindow::current() const {
    Outcome out;
    const std::string text = value_->text().trimmed().toStdString();
    if (text.empty()) {
        out.message = "Type the value to convert.";
        return out;
    }
    try {
        out.value = model_.toDecimal(text);
    } catch (const engine::DecimalError&) {
        out.message = "\"" + text + "\" is not a number.";
        return out;
    }
    const Unit* from = unitAt(from_->currentRow());
    const Unit* to = unitAt(to_->currentRow());
    if (!from || !to) {
        out.message = "Choose the units to convert from and to.";
        return out;
    }
    try {
        out.result = convertUnits(*out.value, *from, *to);
    } catch (const ConversionError& e) {
        out.message = e.what();
    } catch (const engine::DecimalError&) {
        out.message = "The result is too large to show.";
    }
    return out;
}

void UnitConversionWindow::refresh() {
    const Outcome out = current();
    const Unit* to = unitAt(to_->currentRow());
    if (out.result && to)
        result_->setText(qs(out.result->toString(model_.decimalSymbol()) + " " + std::string(to->abbreviation)));
    else
        result_->clear();
    message_->setText(qs(out.message));
    ok_->setEnabled(out.result.has_value());
}

void UnitConversionWindow::accept() {
    const Outcome out = current();
    const Unit* from = unitAt(from_->currentRow());
    const Unit* to = unitAt(to_->currentRow());
    if (!out.result || !from || !to) {
        model_.feedback().beep();
        return;
    }
    writeIntSetting(settings_, kFromUnitKey, from_->currentRow());
    writeIntSetting(settings_, kToUnitKey, to_->currentRow());
    enterConversion(model_, *out.result,
                    unitTapeLine(*out.value, *from, *out.result, *to, model_.decimalSymbol()));
    QDialog::accept();
}

}  // namespace zorv::convert
