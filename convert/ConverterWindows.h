#pragma once

#include <QObject>
#include <QPointer>

#include "convert/ConverterCommands.h"

class QWidget;

namespace zorv::convert {

class BaseConversionWindow;
class CurrencyWindow;
class UnitConversionWindow;

// Opens the unit, currency and base windows for the main window. Each is
// built the first time it is needed and then only hidden, so it opens
// quickly the next time; every opening starts again from the readout.
class ConverterWindows : public QObject {
public:
    ConverterWindows(engine::CalculatorModel& model, ConverterSettings settings, QWidget* mainWindow);

    UnitConversionWindow& units();
    CurrencyWindow& currency();
    BaseConversionWindow& bases();

    void showUnits(UnitSystem system);
    void showCurrency();
    void showBases();

private:
    engine::CalculatorModel& model_;
    ConverterSettings settings_;
    QWidget* mainWindow_;
    QPointer<UnitConversionWindow> units_;
    QPointer<CurrencyWindow> currency_;
    QPointer<BaseConversionWindow> bases_;
};

// Registers the nine commands with handlers that open the windows, in place
// of the batch ones. The returned object is a child of `mainWindow`.
ConverterWindows* installConverterWindows(engine::CalculatorModel& model, QWidget* mainWindow,
                                          ConverterSettings settings);

}  // namespace zorv::convert
