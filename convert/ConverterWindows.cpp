#include "convert/ConverterWindows.h"

#include <QWidget>

#include "convert/BaseConversionWindow.h"
#include "convert/CurrencyWindow.h"
#include "convert/UnitConversionWindow.h"

namespace zorv::convert {

namespace {

void bringUp(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

ConverterWindows::ConverterWindows(engine::CalculatorModel& model, ConverterSettings settings,
                                   QWidget* mainWindow)
    : QObject(mainWindow), model_(model), settings_(std::move(settings)), mainWindow_(mainWindow) {}

UnitConversionWindow& ConverterWindows::units() {
    if (!units_) units_ = new UnitConversionWindow(model_, settings_, mainWindow_);
    return *units_;
}

CurrencyWindow& ConverterWindows::currency() {
    if (!currency_) currency_ = new CurrencyWindow(model_, settings_, mainWindow_);
    return *currency_;
}

BaseConversionWindow& ConverterWindows::bases() {
    if (!bases_) bases_ = new BaseConversionWindow(model_, mainWindow_);
    return *bases_;
}

void ConverterWindows::showUnits(UnitSystem system) {
    units().open(system);
    bringUp(units());
}

void ConverterWindows::showCurrency() {
    currency().open();
    bringUp(currency());
}

void ConverterWindows::showBases() {
    bases().open();
    bringUp(bases());
}

ConverterWindows* installConverterWindows(engine::CalculatorModel& model, QWidget* mainWindow,
                                          ConverterSettings settings) {
    auto* host = new ConverterWindows(model, std::move(settings), mainWindow);
    QPointer<ConverterWindows> guard(host);
    for (int i = 0; i < kUnitSystemCount; ++i) {
        const auto system = static_cast<UnitSystem>(i);
        model.commands().add(commandOf(system), [guard, system] {
            if (guard) guard->showUnits(system);
        });
    }
    model.commands().add(engine::CommandId::CurrencyConversions, [guard] {
        if (guard) guard->showCurrency();
    });
    model.commands().add(engine::CommandId::BaseConversions, [guard] {
        if (guard) guard->showBases();
    });
    return host;
}

}  // namespace zorv::convert
