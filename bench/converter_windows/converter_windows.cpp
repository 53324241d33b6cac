// How fast the unit, currency and base windows open: the first opening
// (the window is built) and then the median and slowest of 30 more, each
// from the readout and the rates file as a command opens it, until the
// window has painted. The currency window reads a rates file of 1,000
// currencies each time. Targets: under 50 ms after the first time.
//
// usage: zorv_converter_windows                 print the timings
//        zorv_converter_windows --shots FOLDER [--dark]
//                                              save a picture of each window
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "convert/BaseConversionWindow.h"
#include "convert/ConverterWindows.h"
#include "convert/CurrencyWindow.h"
#include "convert/UnitConversionWindow.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"

namespace {

using zorv::convert::UnitSystem;

std::string thousandCurrencies() {
    std::string text = "base EUR Euro\ndate 2026-12-07\n";
    for (int i = 0; i < 999; ++i) {
        const std::string code{static_cast<char>('A' + i / 676), static_cast<char>('A' + i / 26 % 26),
                               static_cast<char>('A' + i % 26)};
        text += code + " " + std::to_string(1 + i * 7919 % 100000) + "." + std::to_string(1000 + i) +
                " Currency number " + std::to_string(i) + "\n";
    }
    return text;
}

const char* kSampleRates =
    "base EUR Euro\ndate 2026-11-27\n"
    "USD 1.0810 US dollar\nJPY 162.45 Japanese yen\nGBP 0.8550 Pound sterling\n"
    "CHF 0.9391 Swiss franc\nCAD 1.4923 Canadian dollar\nAUD 1.6402 Australian dollar\n"
    "SEK 11.482 Swedish krona\nKWD 0.3320 Kuwaiti dinar\n";

struct Harness {
    zorv::engine::ScriptedFeedback feedback;
    zorv::engine::CalculatorModel model{feedback};
    std::map<std::string, std::string> stored;
    std::string folder;

    zorv::convert::ConverterSettings settings() {
        zorv::convert::ConverterSettings s;
        s.read = [this](const std::string& key, const std::string& fallback) {
            const auto it = stored.find(key);
            return it == stored.end() ? fallback : it->second;
        };
        s.write = [this](const std::string& key, const std::string& value) { stored[key] = value; };
        s.dataFolder = folder;
        s.today = [] { return zorv::convert::Date{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{9}}; };
        return s;
    }
};

double openMs(const std::function<void()>& open, QWidget& window) {
    QElapsedTimer timer;
    timer.start();
    open();
    window.repaint();
    QApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;
    window.hide();
    QApplication::processEvents();
    return ms;
}

void timeWindow(const char* name, QWidget& window, const std::function<void()>& open) {
    const double first = openMs(open, window);
    std::vector<double> again;
    for (int i = 0; i < 30; ++i) again.push_back(openMs(open, window));
    std::sort(again.begin(), again.end());
    std::printf("%-26s first %7.2f ms   again: median %6.2f ms, slowest %6.2f ms\n", name, first,
                again[again.size() / 2], again.back());
}

void darkPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 50));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    QApplication::setPalette(p);
}

void save(QWidget& window, const std::string& path) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    window.repaint();
    QApplication::processEvents();
    window.grab().save(QString::fromStdString(path));
    std::printf("saved %s\n", path.c_str());
}

int shots(Harness& h, const std::string& out, bool dark) {
    if (dark) darkPalette();
    const std::string suffix = dark ? "-dark" : "";
    std::ofstream(h.folder + "/currency.rt") << kSampleRates;
    h.model.modes().financial = false;
    h.model.setReadout("3");
    h.model.normalizeReadout();

    zorv::convert::UnitConversionWindow units(h.model, h.settings());
    units.open(UnitSystem::EnglishLength);
    auto* from = units.findChild<QListWidget*>(QStringLiteral("lstFrom"));
    auto* to = units.findChild<QListWidget*>(QStringLiteral("lstTo"));
    from->setCurrentRow(6);
    to->setCurrentRow(3);
    save(units, out + "/unit-window" + suffix + ".png");
    units.open(UnitSystem::Metric);
    from->setCurrentRow(6);  // kilograms: the lengths cannot be chosen
    save(units, out + "/unit-window-metric" + suffix + ".png");
    units.hide();

    h.model.setReadout("100");
    h.model.normalizeReadout();
    h.stored["From Currency"] = "8";  // USD
    h.stored["To Currency"] = "4";    // GBP
    zorv::convert::CurrencyWindow currency(h.model, h.settings());
    currency.open();
    save(currency, out + "/currency-window" + suffix + ".png");
    currency.hide();

    h.model.setReadout("1");
    h.model.normalizeReadout();
    h.model.changeSign();
    zorv::convert::BaseConversionWindow bases(h.model);
    bases.setWordSize(8);
    bases.open();
    save(bases, out + "/base-window" + suffix + ".png");
    bases.findChild<QLineEdit*>(QStringLiteral("txtDecimal"))->setText(QStringLiteral("256"));
    bases.setWordSize(16);
    bases.setWordSize(8);
    save(bases, out + "/base-window-refused" + suffix + ".png");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::filesystem::path tmp = std::filesystem::temp_directory_path() / "zorv-converter-bench";
    std::filesystem::create_directories(tmp);
    Harness h;
    h.folder = tmp.string();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--shots")
        return shots(h, args[1], args.size() >= 3 && args[2] == "--dark");

    std::ofstream(h.folder + "/currency.rt") << thousandCurrencies();
    h.model.setReadout("1234");
    h.model.normalizeReadout();
    QWidget main;
    zorv::convert::ConverterWindows windows(h.model, h.settings(), &main);
    std::printf("platform: %s\n", qPrintable(QApplication::platformName()));
    timeWindow("unit (English Length)", windows.units(), [&] { windows.showUnits(UnitSystem::EnglishLength); });
    timeWindow("unit (Metric)", windows.units(), [&] { windows.showUnits(UnitSystem::Metric); });
    timeWindow("base", windows.bases(), [&] { windows.showBases(); });
    timeWindow("currency (1,000 in file)", windows.currency(), [&] { windows.showCurrency(); });
    std::filesystem::remove_all(tmp);
    return 0;
}
