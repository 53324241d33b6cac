#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "engine/Translate.h"

namespace zorv::app {

namespace {

// The calculator's texts through Qt's catalogue; a text with no
// translation comes back unchanged.
std::string qtTranslate(const char* context, const char* text) {
    return QCoreApplication::translate(context, text).toStdString();
}

}  // namespace

QString installTranslations(QCoreApplication& app, const QLocale& locale) {
    auto* own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("zorvcalc"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete own;
        return {};
    }
    app.installTranslator(own);
    // Qt's own texts (Yes, No, Cancel, the file and print dialogs) when the
    // system has them; without them those stay English.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
    else
        delete qt;
    engine::setTranslator(&qtTranslate);
    return own->language().section(u'_', 0, 0);
}

const std::vector<TranslatableText>& engineTexts() {
    static const std::vector<TranslatableText> texts{
        // Messages and prompts (the "Messages" context of platform/QtFeedback).
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Invalid value!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "RPN Error")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Can't divide by zero")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Can't divide by 0.")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "There are no numbers in the stack.")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Clear the tape?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Enter the note to write on the tape:")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Annotate Tape")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Find what:")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Find On Tape")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "\"%1\" was not found on the tape.")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "The end of the tape was reached; the search continued from the top.")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Save the tape to the file:")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Save Tape to File")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Load the tape from the file:")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Load Saved Tape")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Logarithm to which base?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Logarithm to Base N")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Source and Destination must be different!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Backup succeeded!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Restore succeeded!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Backup could not be completed!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Restore could not be completed!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Zorv Calculator is already running!")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Daily compound interest?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Type of Interest")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Are payments made at the end of the period?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Convert from which unit?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Convert to which unit?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Convert from which currency (ISO code)?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Convert to which currency (ISO code)?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Word size in bits (8, 16, 32 or 64)?")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Base Conversions")},
        {"Messages", QT_TRANSLATE_NOOP("Messages", "Add or Change a Rate")},
        // The hint line under the keys (the model keeps it in English).
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [Percent]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [Adding]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [Subtracting]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [Multiplying]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [Dividing]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [RPN]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Press F1 for Help [Scientific]")},
        {"Hints", QT_TRANSLATE_NOOP("Hints", "Editing the tape: choose Edit Tape again to lock it")},
        // The conversion set's name above the conversion keys, and its tool tip.
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Calculator")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Standard Calculator")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Metric to English")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Metric to English Conversions")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "English to Metric")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "English to Metric Conversions")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Area/Volume Metric to English")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Area/Volume Metric to English Conversions")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Area/Volume English to Metric")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Area/Volume English to Metric Conversions")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Temperature")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Temperature Conversions")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time - Week")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time Conversions - Week")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time - Day")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time Conversions - Day")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time - Hour")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time Conversions - Hour")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time - Minutes")},
        {"Conversions", QT_TRANSLATE_NOOP("Conversions", "Time Conversions - Minutes")},
        // Menu captions held by the Qt-free finance and conversion tables
        // (the context of ui/main/MainMenus.cpp).
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Future Value of Annuity")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Present &Value of Annuity")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Annuity Payments (i.e. Mortgage)")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Ann&uity Principle Payment (i.e. Mortgage)")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Interest Payments (Cost of Loan)")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Number of Payments to Pay Off Loan")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "In&terest Rate per Period")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Internal &Rate of Return")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Modified Internal Rate of Return")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Net &Present Value of Investment")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Straight &Line Depreciation")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Sum-of-&Years' Digits Depreciation")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Double-Declining Balance Depreciation")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Interest for &X days")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Calculator (No Conversions)")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Metric to English Conversions")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&English to Metric Conversions")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Area/Volume Metric to English Conversions")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Area/&Volume English to Metric Conversions")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Tem&perature Conversions")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Time Conversions - &Week")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Time Conversions - &Day")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Time Conversions - &Hour")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "Time Conversions - Mi&nutes")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Imperial English Measures")},
        {"zorv::ui", QT_TRANSLATE_NOOP("zorv::ui", "&Troy English Measures")},
    };
    return texts;
}

}  // namespace zorv::app
