#include "MainMenus.h"

#include <QObject>

#include "convert/ConversionCommands.h"
#include "finance/FinanceCommands.h"

namespace zorv::ui {

namespace {

MenuEntry sep() { return {}; }

MenuEntry item(const char* caption, const char* command, QKeySequence shortcut = {}) {
    return {QObject::tr(caption), command, shortcut, {}};
}

MenuEntry sub(const char* caption, std::vector<MenuEntry> children) {
    return {QObject::tr(caption), {}, {}, std::move(children)};
}

std::vector<MenuEntry> conversionEntries() {
    std::vector<MenuEntry> out;
    for (const auto& i : convert::conversionsMenu()) {
        if (i.command.empty()) out.push_back(sep());
        else out.push_back({QString::fromStdString(i.caption), i.command, {}, {}});
    }
    out.push_back(sep());
    out.push_back(sub("&Intra-System",
                      {item("&Metric", "Intra-System Metric"),
                       item("English &Weight", "Intra-System English Weight"),
                       item("English &Square", "Intra-System English Square"),
                       item("English &Cubic", "Intra-System English Cubic"),
                       item("English &Length", "Intra-System English Length"),
                       item("English C&apacity", "Intra-System English Capacity"),
                       item("C&omputer", "Intra-System Computer")}));
    out.push_back(item("C&urrency Conversions...", "Currency Conversions"));
    out.push_back(item("&Base Conversions...", "Base Conversions"));
    return out;
}

std::vector<MenuEntry> financeEntries() {
    std::vector<MenuEntry> out;
    for (const auto& i : finance::financeMenu())
        out.push_back({QString::fromStdString(i.caption), i.command, {}, {}});
    return out;
}

}  // namespace

std::vector<MenuSpec> mainMenus() {
    return {
        {QObject::tr("&File"),
         {item("&Load Saved Tape...", "Load Saved Tape", QKeySequence::Open),
          item("&Save Tape to File...", "Save Tape to File", QKeySequence::Save),
          item("&Print Tape...", "Print Tape", QKeySequence::Print),
          item("P&ublish Tape", "Publish Tape"), sep(),
          item("&Backup Data...", "Backup Data"), item("&Restore Data...", "Restore Data"), sep(),
          item("Properti&es", "Program Properties"), sep(),
          item("&Minimize", "Minimize"), item("E&xit", "Exit", QKeySequence::Quit)}},
        {QObject::tr("&Edit"),
         {item("&Copy Readout", "Copy Readout", QKeySequence::Copy),
          item("&Paste to Readout", "Paste Readout", QKeySequence::Paste), sep(),
          item("Insert into Pre&vious Program", "Insert into Previous Program")}},
        {QObject::tr("&Operators"),
         {item("&Add\t+", "+"), item("&Subtract\t-", "-"), item("&Multiply\tX", "X"),
          item("&Divide\t/", "/"), item("&Total\tEnter", "="), sep(), item("&Percent\t%", "Percent"),
          item("S&quare\tS", "Square"), item("Square &Root\tR", "Square Root"),
          item("Change S&ign", "Change Sign"), sep(), item("Clear &Entry\tDel", "CE"),
          item("&Clear\tC", "C")}},
        {QObject::tr("&Memory"),
         {item("Memory &Store", "MS"), item("Memory &Recall", "MR"), item("Memory &Add\tM", "M+"),
          item("Memory S&ubtract\tm", "M-"), item("Memory &Clear", "MC")}},
        {QObject::tr("Mo&des"),
         {item("&Standard Calculator", "Calculator (No Conversions)"),
          item("&Financial Calculator", "Financial Calculator"),
          item("Auto-&Decimal Mode", "Auto-Decimal Mode"),
          item("&Adding Machine Mode", "Adding Machine Mode"), item("&RPN Mode", "RPN Mode"), sep(),
          item("Show &Percentages", "Show Percentages"), item("% for &Number", "% for Number"),
          item("&Magic Number", "Magic Number"), item("Repeat S&ubtraction", "Repeat Subtraction"),
          sep(), item("&Carry Result", "Carry Result"), item("F&ormat Numbers", "Format Numbers"),
          item("Number &Tape Items", "Number Tape Items"), sep(),
          item("&View RPN Stack", "View RPN Stack")}},
        {QObject::tr("F&in"), financeEntries()},
        {QObject::tr("&Sci"),
         {item("&Sine", "Sine"), item("&Cosine", "Cosine"), item("&Tangent", "Tangent"),
          item("&Arctangent", "Arctangent"), item("S&ecant", "Secant"),
          item("Cosecan&t", "Cosecant"), item("Cotan&gent", "Cotangent"), sep(),
          sub("&Inverse",
              {item("Inverse &Sine", "Inverse Sine"), item("Inverse &Cosine", "Inverse Cosine"),
               item("Inverse S&ecant", "Inverse Secant"),
               item("Inverse Cosecan&t", "Inverse Cosecant"),
               item("Inverse Cotan&gent", "Inverse Cotangent")}),
          sub("&Hyperbolic",
              {item("Hyperbolic &Sine", "Hyperbolic Sine"),
               item("Hyperbolic &Cosine", "Hyperbolic Cosine"),
               item("Hyperbolic &Tangent", "Hyperbolic Tangent"),
               item("Hyperbolic S&ecant", "Hyperbolic Secant"),
               item("Hyperbolic Cosecan&t", "Hyperbolic Cosecant"),
               item("Hyperbolic Cotan&gent", "Hyperbolic Cotangent")}),
          sub("Inverse H&yperbolic",
              {item("Inverse Hyperbolic &Sine", "Inverse Hyperbolic Sine"),
               item("Inverse Hyperbolic &Cosine", "Inverse Hyperbolic Cosine"),
               item("Inverse Hyperbolic &Tangent", "Inverse Hyperbolic Tangent"),
               item("Inverse Hyperbolic S&ecant", "Inverse Hyperbolic Secant"),
               item("Inverse Hyperbolic Cosecan&t", "Inverse Hyperbolic Cosecant"),
               item("Inverse Hyperbolic Cotan&gent", "Inverse Hyperbolic Cotangent")}),
          sep(), item("&Natural Logarithm", "Natural Logarithm"),
          item("E&xp (Base of Natural Log)", "Exp (Base of Natural Log)"),
          item("&Logarithm to Base N...", "Logarithm to Base N"), item("&Reciprocal", "Reciprocal"),
          sep(), item("&Degrees", "Degrees"), item("Radia&ns", "Radiants"), sep(),
          item("&Pi", "Pi"), item("e c&onstant", "e constant"), item("Golden C&ut", "Golden Cut"),
          sep(), item("Convert to &Fractions", "Convert to Fractions")}},
        {QObject::tr("&Conversions"), conversionEntries()},
        {QObject::tr("&Tape"),
         {item("&Annotate Tape...\tN", "Annotate Tape"),
          item("&Find On Tape...", "Find On Tape", QKeySequence::Find),
          item("Find &Next", "Find Next", QKeySequence::FindNext),
          item("&Clear Tape", "Clear Tape"), sep(), item("&Edit Tape", "Edit Tape"), sep(),
          item("&Save Tape to File...", "Save Tape to File"),
          item("&Load Saved Tape...", "Load Saved Tape"), item("&Print Tape...", "Print Tape"),
          item("P&ublish Tape", "Publish Tape"),
          item("Tape to Scratch Pa&d", "Tape to Scratch Pad"), sep(),
          item("&Hide/Show Tape", "Hide/Show Tape"),
          item("Hide/Show &Number Keys", "Hide/Show Number Keys")}},
        {QObject::tr("T&ools"),
         {item("&Expression Evaluator...\t(", "Expression Evaluator"),
          item("Don't &Hide Evaluator", "Don't Hide Evaluator"),
          item("&Construction Calculator (ft/in)...", "Construction Calculator (ft/in)"), sep(),
          item("&Time/Date Calculations...", "Time/Date Calculations"),
          item("Show Ca&lendar...", "Show Calendar"), item("Set &Alarms...", "Set Alarms"),
          item("Alarms E&nabled/Disabled", "Alarms Enabled/Disabled"),
          item("Scratch &Pad...", "Scratch Pad"), item("&Billing Rate...", "Billing Rate"),
          item("Start/Stop Pro&ject Timer", "Start/Stop Project Timer"), sep(),
          item("Hide/Show Tool&bar", "Hide/Show Toolbar"), item("&Show in Tray", "Show in Tray"),
          item("Stay On &Top", "Stay On Top"), item("&Hide Main Window", "Hide Main Window"),
          item("&Keep Calculator On Top", "Calc On Top"),
          item("E&xit Button Minimizes", "Exit Button Minimizes")}},
        {QObject::tr("&Help"),
         {item("&Contents\tF1", "Help Contents"), item("&About Zorv Advanced Calculator", "About")}},
    };
}

}  // namespace zorv::ui
