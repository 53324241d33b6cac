#include "convert/CurrencyWindow.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "convert/ConverterUi.h"
#include "convert/RatesImport.h"
#include "engine/AtomicFile.h"
#include "engine/RegularFile.h"

namespace zorv::convert {

using engine::Decimal;
using ui::named;
using ui::qs;

namespace {

// The largest file an import reads, like the largest download.
constexpr std::size_t kMaxImportBytes = 100u * 1024 * 1024;

const char* const kUpdateCaption = QT_TRANSLATE_NOOP("zorv::convert::CurrencyWindow", "&Update Rates");
const char* const kCancelUpdateCaption = QT_TRANSLATE_NOOP("zorv::convert::CurrencyWindow", "Cancel &Update");

QString itemText(const CurrencyRate& c) {
    return c.name.empty() ? qs(c.code) : qs(c.code + "  " + c.name);
}

QComboBox* currencyBox(QWidget* parent, const char* name, const QString& spoken) {
    auto* box = named(new QComboBox(parent), name, spoken);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(22);
    // Type-ahead by code or by any part of the name.
    box->completer()->setFilterMode(Qt::MatchContains);
    box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    return box;
}

}  // namespace

CurrencyWindow::CurrencyWindow(engine::CalculatorModel& model, ConverterSettings settings, QWidget* parent)
    : QDialog(parent), model_(model), settings_(std::move(settings)), download_(new RatesDownload(this)) {
    setObjectName(QStringLiteral("frmCurrency"));
    setWindowTitle(tr("Currency Conversions"));

    help_ = named(new QLabel(this), "lblHelp", tr("Where to get rates"));
    help_->setWordWrap(true);
    help_->setText(QStringLiteral(
        "Where to get rates: the European Central Bank publishes its reference rates against the "
        "euro every working day (eurofxref-daily.xml). Press Update Rates to fetch them, Import a "
        "downloaded copy or a CSV of codes and rates, or add a rate by hand."));
    help_->setFrameShape(QFrame::StyledPanel);
    help_->hide();

    amount_ = named(new QLineEdit(this), "txtAmount", tr("Amount"));
    from_ = currencyBox(this, "cboFrom", tr("Convert from currency"));
    to_ = currencyBox(this, "cboTo", tr("Convert to currency"));
    result_ = named(new QLineEdit(this), "txtResult", tr("Result"));
    result_->setReadOnly(true);
    rate_ = named(new QLabel(this), "lblRate", tr("Exchange rate"));
    decimals_ = named(new QComboBox(this), "cboDecimals", tr("Decimals of the result"));
    decimals_->addItem(tr("Currency's own"), -1);
    for (int places = 0; places <= 6; ++places) decimals_->addItem(QString::number(places), places);

    auto* form = new QGridLayout;
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addWidget(label(tr("&Amount:"), amount_), 0, 0);
    form->addWidget(amount_, 0, 1);
    form->addWidget(label(tr("&Decimals:"), decimals_), 0, 2);
    form->addWidget(decimals_, 0, 3);
    form->addWidget(label(tr("&From:"), from_), 1, 0);
    form->addWidget(from_, 1, 1);
    form->addWidget(label(tr("&To:"), to_), 1, 2);
    form->addWidget(to_, 1, 3);
    form->addWidget(label(tr("Re&sult:"), result_), 2, 0);
    form->addWidget(result_, 2, 1);
    form->addWidget(rate_, 2, 2, 1, 2);

    info_ = named(new QLabel(this), "lblRatesInfo", tr("About the rates"));
    info_->setWordWrap(true);
    list_ = named(new QTreeWidget(this), "lstRates", tr("Exchange rates"));
    list_->setHeaderLabels({tr("Code"), tr("Rate"), tr("Name")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setMinimumHeight(150);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* listLabel = label(tr("Rat&es (units per one of the base currency):"), list_);

    edit_ = named(new QPushButton(tr("Add/C&hange..."), this), "cmdSetRate",
                  tr("Add or change a rate"));
    delete_ = named(new QPushButton(tr("De&lete"), this), "cmdDelete",
                    tr("Delete the currency"));
    import_ = named(new QPushButton(tr("&Import..."), this), "cmdImport",
                    tr("Import rates from a file"));
    update_ = named(new QPushButton(tr(kUpdateCaption), this), "cmdUpdate", tr("Update rates"));
    for (QPushButton* b : {edit_, delete_, import_, update_}) b->setAutoDefault(false);
    auto* rateButtons = new QHBoxLayout;
    for (QPushButton* b : {edit_, delete_, import_, update_}) rateButtons->addWidget(b);
    rateButtons->addStretch(1);
    status_ = named(new QLabel(this), "lblStatus", tr("Status of the rates"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    message_ = named(new QLabel(this), "lblMessage", tr("Message"));
    message_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = named(buttons->button(QDialogButtonBox::Ok), "cmdOK", tr("OK"));
    named(buttons->button(QDialogButtonBox::Cancel), "cmdCancel", tr("Cancel"));
    ok_->setDefault(true);

    auto* top = new QVBoxLayout(this);
    top->addWidget(help_);
    top->addLayout(form);
    top->addWidget(message_);
    top->addWidget(info_);
    top->addWidget(listLabel);
    top->addWidget(list_, 1);
    top->addLayout(rateButtons);
    top->addWidget(status_);
    top->addWidget(buttons);
    setMinimumWidth(560);

    setTabOrder(amount_, from_);
    setTabOrder(from_, to_);
    setTabOrder(to_, decimals_);
    setTabOrder(decimals_, result_);
    setTabOrder(result_, list_);

    connect(buttons, &QDialogButtonBox::accepted, this, &CurrencyWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CurrencyWindow::reject);
    connect(amount_, &QLineEdit::textChanged, this, [this] { refresh(); });
    for (QComboBox* box : {from_, to_}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
        connect(box, &QComboBox::editTextChanged, this, [this] { refresh(); });
    }
    connect(decimals_, &QComboBox::currentIndexChanged, this, [this] {
        writeIntSetting(settings_, kCurrencyDecKey, decimals_->currentData().toInt());
        refresh();
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editRate(); });
    connect(edit_, &QPushButton::clicked, this, [this] { editRate(); });
    connect(delete_, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* item = list_->currentItem()) {
            if (auto why = removeCurrency(item->text(0).toStdString())) status_->setText(qs(*why));
        }
    });
    connect(import_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(
            this, tr("Import Exchange Rates"), qs(settings_.dataFolder),
            tr("Exchange rates (*.xml *.csv *.txt);;All files (*)"));
        if (!file.isEmpty()) importFile(file.toStdString());
    });
    connect(update_, &QPushButton::clicked, this, [this] { updateRates(); });
    connect(download_, &RatesDownload::finished, this, &CurrencyWindow::downloaded);
}

void CurrencyWindow::open() {
    path_ = ratesFilePath(settings_);
    const LoadedRates loaded = loadRatesFile(path_);
    // The lists are filled again only when the file changed since the last
    // opening: with a thousand currencies that is most of the time taken.
    const bool unchanged = filled_ && loaded.rates.toText() == rates_.toText();
    rates_ = loaded.rates;
    const QString fileName = QFileInfo(qs(path_)).fileName();
    status_->setText(qs(skippedSummary(loaded.skipped, fileName.toStdString())));

    if (readIntSetting(settings_, kShowDownloadHelpKey, 1) != 0) {
        help_->show();
        writeIntSetting(settings_, kShowDownloadHelpKey, 0);
    } else {
        help_->hide();
    }
    {
        QSignalBlocker block(decimals_);
        decimals_->setCurrentIndex(decimals_->findData(currencyDecSetting(settings_)));
    }
    if (!unchanged) fillCurrencies();
    filled_ = true;
    const auto all = rates_.currencies();
    const int count = static_cast<int>(all.size());
    int from = readIntSetting(settings_, kFromCurrencyKey, 0);
    int to = readIntSetting(settings_, kToCurrencyKey, 0);
    if (from < 0 || from >= count) from = 0;
    if (to < 0 || to >= count) to = 0;
    if (to == from && count > 1) to = from == 0 ? 1 : 0;
    if (count > 0) {
        selectCode(from_, all[static_cast<std::size_t>(from)].code);
        selectCode(to_, all[static_cast<std::size_t>(to)].code);
    }
    amount_->setText(qs(model_.readoutForCopy()));
    showRatesInfo();
    refresh();
    amount_->selectAll();
    amount_->setFocus();
}

void CurrencyWindow::fillCurrencies() {
    const std::optional<std::string> from = codeIn(from_);
    const std::optional<std::string> to = codeIn(to_);
    const QString selected = list_->currentItem() ? list_->currentItem()->text(0) : QString();
    const auto all = rates_.currencies();
    QSignalBlocker blockFrom(from_), blockTo(to_);
    from_->clear();
    to_->clear();
    list_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(all.size()));
    for (const CurrencyRate& c : all) {
        from_->addItem(itemText(c), qs(c.code));
        to_->addItem(itemText(c), qs(c.code));
        items.append(new QTreeWidgetItem({qs(c.code), qs(c.rate.toString()), qs(c.name)}));
    }
    list_->addTopLevelItems(items);
    for (QTreeWidgetItem* item : items)
        if (item->text(0) == selected) list_->setCurrentItem(item);
    if (from) selectCode(from_, *from);
    if (to) selectCode(to_, *to);
    const bool any = !all.empty();
    edit_->setEnabled(true);
    delete_->setEnabled(any);
}

void CurrencyWindow::selectCode(QComboBox* box, const std::string& code) {
    const int index = box->findData(qs(code));
    if (index >= 0) {
        box->setCurrentIndex(index);
        box->setEditText(box->itemText(index));
    }
}

std::optional<std::string> CurrencyWindow::codeIn(const QComboBox* box) const {
    const QString text = box->currentText().trimmed();
    if (text.isEmpty()) return std::nullopt;
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i).compare(text, Qt::CaseInsensitive) == 0) return box->itemData(i).toString().toStdString();
    const QString word = text.section(QLatin1Char(' '), 0, 0);
    if (word.size() == 3)
        if (auto c = rates_.find(word.toStdString())) return c->code;
    // A part of one name only.
    std::optional<std::string> found;
    for (int i = 0; i < box->count(); ++i) {
        if (!box->itemText(i).contains(text, Qt::CaseInsensitive)) continue;
        if (found) return std::nullopt;
        found = box->itemData(i).toString().toStdString();
    }
    return found;
}

std::optional<CurrencyConversion> CurrencyWindow::conversion(std::string* why) const {
    const auto fail = [why](std::string text) -> std::optional<CurrencyConversion> {
        if (why) *why = std::move(text);
        return std::nullopt;
    };
    if (rates_.base().empty())
        return fail("There are no exchange rates yet: update, import or add them below.");
    const std::string text = amount_->text().trimmed().toStdString();
    if (text.empty()) return fail("Type the amount to convert.");
    Decimal amount;
    try {
        amount = model_.toDecimal(text);
    } catch (const engine::DecimalError&) {
        return fail("\"" + text + "\" is not a number.");
    }
    const auto from = codeIn(from_);
    if (!from) return fail("Choose the currency to convert from.");
    const auto to = codeIn(to_);
    if (!to) return fail("Choose the currency to convert to.");
    try {
        return convertCurrency(rates_, amount, *from, *to, decimals_->currentData().toInt());
    } catch (const RatesError& e) {
        return fail(e.what());
    } catch (const engine::DecimalError&) {
        return fail("The result is too large to show.");
    }
}

void CurrencyWindow::refresh() {
    std::string why;
    const auto c = conversion(&why);
    if (c) {
        const std::string& symbol = model_.decimalSymbol();
        result_->setText(qs(fixedText(c->result, c->toDecimals, symbol) + " " + c->to));
        rate_->setText(qs("1 " + c->from + " = " + c->shownRate.toString(symbol) + " " + c->to));
    } else {
        result_->clear();
        rate_->clear();
    }
    message_->setText(qs(why));
    ok_->setEnabled(c.has_value());
}

void CurrencyWindow::showRatesInfo() { info_->setText(ratesInfo()); }

QString CurrencyWindow::ratesInfo() const {
    if (rates_.base().empty()) return qs("No rates in " + path_ + " yet.");
    std::string text = "Rates against " + rates_.base();
    if (rates_.date()) text += " of " + isoDate(*rates_.date());
    text += ", " + std::to_string(rates_.size()) + " currencies.";
    if (settings_.today) {
        // Old rates say so here rather than in a message box each time.
        if (auto age = ratesAgeDays(rates_, settings_.today()); age && *age > kStaleRatesDays)
            text += " These rates are " + std::to_string(*age) + " days old.";
    }
    return qs(text);
}

QString CurrencyWindow::status() const { return status_->text(); }

std::optional<std::string> CurrencyWindow::save(const ExchangeRates& changed) {
    if (auto error = engine::atomicfile::write(path_, changed.toText()))
        return "The rates file " + path_ + " could not be written: " + *error;
    rates_ = changed;
    fillCurrencies();
    showRatesInfo();
    refresh();
    return std::nullopt;
}

std::optional<std::string> CurrencyWindow::setRate(const std::string& codeText, const std::string& rateText,
                                                   const std::string& name) {
    const QString code = qs(codeText).trimmed().toUpper();
    const QString rate = qs(rateText).trimmed();
    if (code.isEmpty()) return std::string("Type the currency's three-letter code.");
    ExchangeRates changed = rates_;
    try {
        if (changed.base().empty()) {
            // The first currency of an empty file is the one the others are
            // given against.
            changed.setBase(code.toStdString(), name);
            if (!rate.isEmpty() && model_.toDecimal(rate.toStdString()) != Decimal(1))
                return "The first currency is the base: its rate is 1. Add " + code.toStdString() +
                       " with the rate 1, then the others against it.";
        } else {
            if (rate.isEmpty())
                return "Type how many " + code.toStdString() + " buy one " + changed.base() + ".";
            changed.setRate(code.toStdString(), model_.toDecimal(rate.toStdString()), name);
        }
    } catch (const RatesError& e) {
        return std::string(e.what());
    } catch (const engine::DecimalError&) {
        return "\"" + rate.toStdString() + "\" is not a number.";
    }
    if (auto error = save(changed)) return error;
    status_->setText(qs(code.toStdString() + " saved in the rates file."));
    return std::nullopt;
}

std::optional<std::string> CurrencyWindow::removeCurrency(const std::string& code) {
    ExchangeRates changed = rates_;
    if (!rates_.base().empty() && rates_.find(code) && rates_.find(code)->code == rates_.base())
        return "The base currency " + rates_.base() + " cannot be deleted: the other rates are given against it.";
    if (!changed.remove(code)) return code + " is not in the list.";
    if (auto error = save(changed)) return error;
    status_->setText(qs(code + " deleted from the rates file."));
    return std::nullopt;
}

void CurrencyWindow::importFile(const std::string& path) {
    const std::string name = QFileInfo(qs(path)).fileName().toStdString();
    const engine::FileRead file = engine::readRegularFile(path, kMaxImportBytes);
    if (!file.ok()) {
        status_->setText(qs(name + " could not be read: " + file.reason + " The rates were not changed."));
        return;
    }
    const std::string_view text = file.text;
    const std::size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && text[first] == '<') {
        takeImported(readEcbXml(text), name);
        return;
    }
    std::string base = rates_.base();
    if (base.empty()) {
        const auto answer = model_.feedback().askText(
            "Against which currency are the rates of " + name + " given (three-letter code)?",
            "Import Exchange Rates", "EUR");
        if (!answer) return;
        base = qs(*answer).trimmed().toUpper().toStdString();
    }
    takeImported(readRatesCsv(text, base), name);
}

void CurrencyWindow::takeImported(const LoadedRates& imported, const std::string& source) {
    const std::string skipped = skippedSummary(imported.skipped, source);
    if (imported.rates.base().empty() || imported.rates.size() < 2) {
        status_->setText(qs("No exchange rates were found in " + source + "; the rates file was not changed. " +
                            skipped));
        return;
    }
    ExchangeRates changed = rates_;
    const MergeReport report = mergeImported(changed, imported.rates);
    if (auto error = save(changed)) {
        status_->setText(qs(*error));
        return;
    }
    std::string text = "From " + source + ": " + std::to_string(report.added) + " added, " +
                       std::to_string(report.changed) + " changed";
    if (changed.date()) text += ", rates of " + isoDate(*changed.date());
    text += ".";
    if (!report.dropped.empty()) {
        text += " Dropped, as they could not be carried over to " + changed.base() + ":";
        for (const auto& code : report.dropped) text += " " + code;
        text += ".";
    }
    if (!skipped.empty()) text += " " + skipped;
    status_->setText(qs(text));
}

void CurrencyWindow::updateRates(RatesDownload::Limits limits) {
    if (download_->running()) {
        download_->cancel();
        return;
    }
    const std::string address =
        settings_.read ? settings_.read(std::string(kRatesUrlKey), std::string(kEcbDailyRatesUrl))
                       : std::string(kEcbDailyRatesUrl);
    const QUrl url(qs(address).trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("https") && scheme != QLatin1String("http") &&
                           scheme != QLatin1String("file"))) {
        status_->setText(qs("The download address \"" + address + "\" is not a web address."));
        emit updateFinished(false);
        return;
    }
    download_->start(url, limits);
    update_->setText(tr(kCancelUpdateCaption));
    status_->setText(tr("Fetching the rates from %1 ...").arg(url.host().isEmpty() ? url.toDisplayString() : url.host()));
}

void CurrencyWindow::downloaded(bool ok, const QByteArray& data, const QString& message) {
    update_->setText(tr(kUpdateCaption));
    if (!ok) {
        status_->setText(message + QStringLiteral(" The rates file was not changed."));
        emit updateFinished(false);
        return;
    }
    const LoadedRates loaded = readEcbXml(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    const bool usable = !loaded.rates.base().empty() && loaded.rates.size() >= 2;
    takeImported(loaded, "the downloaded rates");
    emit updateFinished(usable);
}

void CurrencyWindow::editRate() {
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Add or Change a Rate"));
    auto* code = named(new QLineEdit(&dialog), "txtCode", tr("Currency code"));
    auto* rate = named(new QLineEdit(&dialog), "txtRate", tr("Rate"));
    auto* name = named(new QLineEdit(&dialog), "txtName", tr("Currency name"));
    code->setMaxLength(3);
    name->setMaxLength(static_cast<int>(kMaxCurrencyNameLength));
    if (QTreeWidgetItem* item = list_->currentItem()) {
        code->setText(item->text(0));
        rate->setText(item->text(1));
        name->setText(item->text(2));
    }
    auto* form = new QFormLayout;
    const QString base = rates_.base().empty() ? QStringLiteral("the base") : qs(rates_.base());
    const auto row = [&](const QString& text, QLineEdit* field) {
        auto* l = new QLabel(text, &dialog);
        l->setBuddy(field);
        form->addRow(l, field);
    };
    row(tr("Co&de:"), code);
    row(tr("&Rate (per one %1):").arg(base), rate);
    row(tr("&Name:"), name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const auto why = setRate(code->text().toStdString(), rate->text().toStdString(), name->text().toStdString());
        if (why)
            model_.feedback().showMessage(*why, "Add or Change a Rate", engine::MessageIcon::Exclamation);
        else
            dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    code->setFocus();
    dialog.exec();
}

void CurrencyWindow::accept() {
    const auto c = conversion();
    if (!c) {
        model_.feedback().beep();
        return;
    }
    const auto all = rates_.currencies();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].code == c->from) writeIntSetting(settings_, kFromCurrencyKey, static_cast<int>(i));
        if (all[i].code == c->to) writeIntSetting(settings_, kToCurrencyKey, static_cast<int>(i));
    }
    enterConversion(model_, c->result, currencyTapeLine(*c, model_.decimalSymbol()));
    QDialog::accept();
}

}  // namespace zorv::convert
