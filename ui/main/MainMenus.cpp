#include "MainMenus.h"

#include <QCoreApplication>
#include <QObject>

#include "convert/ConversionCommands.h"
#include "finance/FinanceCommands.h"

namespace zorv::ui {

namespace {

MenuEntry sep() { return {}; }

using C = engine::CommandId;

QKeySequence standardKeys(engine::Shortcut shortcut) {
    using S = engine::Shortcut;
    switch (shortcut) {
    case S::Open: return QKeySequence::Open;
    case S::Save: return QKeySequence::Save;
    case S::Print: return QKeySequence::Print;
    case S::Quit: return QKeySequence::Quit;
    case S::Copy: return QKeySequence::Copy;
    case S::Paste: return QKeySequence::Paste;
    case S::Find: return QKeySequence::Find;
    case S::FindNext: return QKeySequence::FindNext;
    case S::Escape: return QKeySequence(Qt::Key_Escape);
    case S::F9: return QKeySequence(Qt::Key_F9);
    case S::CtrlM: return QKeySequence(Qt::CTRL | Qt::Key_M);
    case S::CtrlR: return QKeySequence(Qt::CTRL | Qt::Key_R);
    case S::CtrlL: return QKeySequence(Qt::CTRL | Qt::Key_L);
    case S::None: break;
    }
    return {};
}

// Every caption below reaches the user's language here. The context is the
// one lupdate gives these texts (it reads item, keyed and sub as markers:
// see translations/CMakeLists.txt); the finance and conversion captions come
// from Qt-free tables and are listed for it in app/Translations.cpp.
QString translated(const char* caption) { return QCoreApplication::translate("zorv::ui", caption); }

MenuEntry item(const char* caption, C id) {
    return {translated(caption), id, std::string(engine::commandText(id)), {}, {}};
}

// An item that also answers to the command's keyboard shortcut. A command in
// two menus carries its shortcut on one of them only: two actions with one
// shortcut would make Qt ignore it.
MenuEntry keyed(const char* caption, C id) {
    MenuEntry e = item(caption, id);
    e.shortcut = standardKeys(engine::commandSpec(id).shortcut);
    return e;
}

MenuEntry sub(const char* caption, std::vector<MenuEntry> children) {
    return {translated(caption), std::nullopt, {}, {}, std::move(children)};
}

std::vector<MenuEntry> conversionEntries() {
    std::vector<MenuEntry> out;
    for (const auto& i : convert::conversionsMenu()) {
        if (i.caption.empty()) out.push_back(sep());
        else out.push_back({translated(i.caption.c_str()), i.id, i.command, {}, {}});
    }
    out.push_back(sep());
    out.push_back(sub("Intra-&System",
                      {item("&Metric", C::IntraSystemMetric),
                       item("English &Weight", C::IntraSystemEnglishWeight),
                       item("English &Square", C::IntraSystemEnglishSquare),
                       item("English &Cubic", C::IntraSystemEnglishCubic),
                       item("English &Length", C::IntraSystemEnglishLength),
                       item("English C&apacity", C::IntraSystemEnglishCapacity),
                       item("C&omputer", C::IntraSystemComputer)}));
    out.push_back(item("C&urrency Conversions...", C::CurrencyConversions));
    out.push_back(item("&Base Conversions...", C::BaseConversions));
    return out;
}

std::vector<MenuEntry> financeEntries() {
    std::vector<MenuEntry> out;
    for (const auto& i : finance::financeMenu())
        out.push_back({translated(i.caption.c_str()), i.id, i.command, {}, {}});
    return out;
}

}  // namespace

std::vector<MenuSpec> mainMenus() {
    return {
        {QObject::tr("&File"),
         {keyed("&Load Saved Tape...", C::LoadTape),
          keyed("&Save Tape to File...", C::SaveTape),
          keyed("&Print Tape...", C::PrintTape),
          item("P&ublish Tape", C::PublishTape), sep(),
          item("&Backup Data...", C::BackupData), item("&Restore Data...", C::RestoreData), sep(),
          item("Properti&es", C::ProgramProperties), sep(),
          item("&Minimize", C::Minimize), keyed("E&xit", C::Exit)}},
        {QObject::tr("&Edit"),
         {keyed("&Copy Readout", C::CopyReadout),
          keyed("&Paste to Readout", C::PasteReadout), sep(),
          item("Insert into Pre&vious Program", C::InsertIntoPrevious)}},
        {QObject::tr("&Operators"),
         {item("&Add\t+", C::Add), item("&Subtract\t-", C::Subtract), item("&Multiply\tX", C::Multiply),
          item("&Divide\t/", C::Divide), item("&Total\tEnter", C::Total), sep(), item("&Percent\t%", C::Percent),
          item("S&quare\tS", C::Square), item("Square &Root\tR", C::SquareRoot),
          keyed("Change S&ign", C::ChangeSign), sep(), keyed("Clear &Entry", C::ClearEntry),
          item("&Clear\tC", C::Clear)}},
        {QObject::tr("&Memory"),
         {keyed("Memory &Store", C::MemoryStore), keyed("Memory &Recall", C::MemoryRecall), item("Memory &Add\tM", C::MemoryAdd),
          item("Memory S&ubtract\tm", C::MemorySubtract), keyed("Memory &Clear", C::MemoryClear)}},
        {QObject::tr("Mo&des"),
         {item("&Standard Calculator", C::StandardCalculator),
          item("&Financial Calculator", C::FinancialMode),
          item("Auto-&Decimal Mode", C::AutoDecimalMode),
          item("&Adding Machine Mode", C::AddingMachineMode), item("&RPN Mode", C::RpnMode), sep(),
          item("Show &Percentages", C::ShowPercentages), item("% for &Number", C::PercentForNumber),
          item("&Magic Number", C::MagicNumber), item("Repeat S&ubtraction", C::RepeatSubtraction),
          sep(), item("&Carry Result", C::CarryResult), item("F&ormat Numbers", C::FormatNumbers),
          item("Number &Tape Items", C::NumberTapeItems), sep(),
          item("&View RPN Stack", C::ViewRpnStack)}},
        {QObject::tr("F&in"), financeEntries()},
        {QObject::tr("&Sci"),
         {item("&Sine", C::Sine), item("&Cosine", C::Cosine), item("&Tangent", C::Tangent),
          item("&Arctangent", C::Arctangent), item("Seca&nt", C::Secant),
          item("C&osecant", C::Cosecant), item("Cotan&gent", C::Cotangent), sep(),
          sub("In&verse",
              {item("Inverse &Sine", C::InverseSine), item("Inverse &Cosine", C::InverseCosine),
               item("Inverse S&ecant", C::InverseSecant),
               item("Inverse Cosecan&t", C::InverseCosecant),
               item("Inverse Cotan&gent", C::InverseCotangent)}),
          sub("&Hyperbolic",
              {item("Hyperbolic &Sine", C::HyperbolicSine),
               item("Hyperbolic &Cosine", C::HyperbolicCosine),
               item("Hyperbolic &Tangent", C::HyperbolicTangent),
               item("Hyperbolic S&ecant", C::HyperbolicSecant),
               item("Hyperbolic C&osecant", C::HyperbolicCosecant),
               item("Hyperbolic Cotan&gent", C::HyperbolicCotangent)}),
          sub("Inverse H&yperbolic",
              {item("Inverse Hyperbolic &Sine", C::InverseHyperbolicSine),
               item("Inverse Hyperbolic &Cosine", C::InverseHyperbolicCosine),
               item("Inverse Hyperbolic &Tangent", C::InverseHyperbolicTangent),
               item("Inverse Hyperbolic S&ecant", C::InverseHyperbolicSecant),
               item("Inverse Hyperbolic C&osecant", C::InverseHyperbolicCosecant),
               item("Inverse Hyperbolic Cotan&gent", C::InverseHyperbolicCotangent)}),
          sep(), item("Natural Logarith&m", C::NaturalLogarithm),
          item("Exp (&Base of Natural Log)", C::Exponential),
          item("&Logarithm to Base N...", C::LogarithmToBase), item("Reci&procal", C::Reciprocal),
          sep(), item("&Degrees", C::Degrees), item("&Radians", C::Radians), sep(),
          item("P&i", C::Pi), item("&e constant", C::EConstant), item("Golden C&ut", C::GoldenCut),
          sep(), item("Convert to &Fractions", C::ConvertToFractions)}},
        {QObject::tr("&Conversions"), conversionEntries()},
        {QObject::tr("&Tape"),
         {item("&Annotate Tape...\tN", C::AnnotateTape),
          keyed("&Find On Tape...", C::FindOnTape),
          keyed("Find &Next", C::FindNext),
          item("&Clear Tape", C::ClearTape), sep(), item("&Edit Tape", C::EditTape), sep(),
          item("&Save Tape to File...", C::SaveTape),
          item("&Load Saved Tape...", C::LoadTape), item("&Print Tape...", C::PrintTape),
          item("P&ublish Tape", C::PublishTape),
          item("Tape to Scratch Pa&d", C::TapeToScratchPad),
          sub("E&xport Tape", {item("&CSV...", C::ExportTapeCsv), item("&TSV...", C::ExportTapeTsv),
                               item("T&ext...", C::ExportTapeText)}),
          item("Paste Colu&mn", C::PasteColumn), item("Tape Hist&ory...", C::TapeHistory), item("Co&rrect Entry...", C::CorrectEntry),
          sub("Bus&iness Keys",
              {item("&TAX+", C::TaxPlus), item("TA&X-", C::TaxMinus), sep(), item("&COST", C::CostKey),
               item("&SELL", C::SellKey), item("&MARGIN", C::MarginKey), sep(),
               item("&GT (Grand Total)", C::GrandTotal), sep(),
               item("Round &Half-Up", C::RoundHalfUp), item("Round Half-&Even", C::RoundHalfEven),
               item("Round &Up", C::RoundUp), item("Round &Down", C::RoundDown)}),
          sep(),
          item("&Hide/Show Tape", C::HideShowTape),
          item("Hide/Show Number &Keys", C::HideShowNumberKeys)}},
        {QObject::tr("Too&ls"),
         {item("&Expression Evaluator...\t(", C::ExpressionEvaluator),
          item("Don't Hide E&valuator", C::DontHideEvaluator),
          item("&Construction Calculator (ft/in)...", C::ConstructionCalculator), sep(),
          item("&Time/Date Calculations...", C::TimeDateCalculations),
          item("Show Ca&lendar...", C::ShowCalendar), item("Set &Alarms...", C::SetAlarms),
          item("Alarms E&nabled/Disabled", C::AlarmsEnabled),
          item("Scratch &Pad...", C::ScratchPad), item("&Billing Rate...", C::BillingRate),
          item("Start/Stop Pro&ject Timer", C::ProjectTimer), sep(),
          item("Hide/Show Toolba&r", C::HideShowToolbar), item("&Show in Tray", C::ShowInTray),
          item("Stay &On Top", C::StayOnTop), item("&Hide Main Window", C::HideMainWindow),
          item("&Keep Calculator On Top", C::CalcOnTop),
          item("E&xit Button Minimizes", C::ExitButtonMinimizes)}},
        {QObject::tr("&Help"),
         {item("&Contents\tF1", C::HelpContents), item("&About Zorv Advanced Calculator", C::About)}},
    };
}

}  // namespace zorv::ui
