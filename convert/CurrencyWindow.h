#pragma once

#include <QDialog>
#include <optional>

#include "convert/ConverterCommands.h"
#include "convert/ExchangeRates.h"
#include "convert/RatesDownload.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zorv::convert {

// The currency window: an amount (the readout when the window opens), the
// currencies to convert from and to (by code or name, with type-ahead), the
// result live. Below, the rates of the rates file, which the window edits
// (add or change a rate, delete a currency), imports from the central
// bank's daily XML or a CSV, or updates from the bank's address in the
// background. The file is written, atomically, only after such a change.
class CurrencyWindow : public QDialog {
    Q_OBJECT

public:
    CurrencyWindow(engine::CalculatorModel& model, ConverterSettings settings, QWidget* parent = nullptr);

    // Reads the rates file and fills the window from the readout and the
    // remembered choices; the caller shows it.
    void open();

    const ExchangeRates& rates() const { return rates_; }
    // The conversion as the fields stand, or the reason there is none.
    std::optional<CurrencyConversion> conversion(std::string* why = nullptr) const;

    // Adds a currency or changes its rate, then writes the file. Returns the
    // reason when refused (and nothing changes).
    std::optional<std::string> setRate(const std::string& code, const std::string& rate,
                                       const std::string& name);
    std::optional<std::string> removeCurrency(const std::string& code);
    // Imports the central bank's XML or a CSV of codes and rates; the
    // message says what was taken, or why nothing was.
    void importFile(const std::string& path);
    // Starts "Update rates" from the address in the settings; a second press
    // while it runs cancels it.
    void updateRates(RatesDownload::Limits limits = {});
    bool updating() const { return download_->running(); }
    // The status line under the rates: what the last import or update did.
    QString status() const;
    QString ratesInfo() const;

    void accept() override;

signals:
    // An update has ended, successfully or not.
    void updateFinished(bool ok);

private:
    void fillCurrencies();
    std::optional<std::string> codeIn(const QComboBox* box) const;
    void selectCode(QComboBox* box, const std::string& code);
    void refresh();
    void showRatesInfo();
    std::optional<std::string> save(const ExchangeRates& changed);
    void downloaded(bool ok, const QByteArray& data, const QString& message);
    void takeImported(const LoadedRates& imported, const std::string& source);
    void editRate();

    engine::CalculatorModel& model_;
    ConverterSettings settings_;
    ExchangeRates rates_;
    std::string path_;
    bool filled_ = false;  // the lists show rates_
    QLabel* help_;
    QLineEdit* amount_;
    QComboBox* from_;
    QComboBox* to_;
    QLineEdit* result_;
    QLabel* rate_;
    QLabel* info_;
    QComboBox* decimals_;
    QTreeWidget* list_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* import_;
    QPushButton* update_;
    QLabel* status_;
    QLabel* message_;
    QPushButton* ok_;
    RatesDownload* download_;
};

}  // namespace zorv::convert
