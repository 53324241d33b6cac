#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QPrinter;
class QWidget;

namespace zorv::ui {

// Printing the tape. It lives in its own module ("zorvcalc-print", with the
// print support library), which the first Print Tape loads.
struct TapePrintJob {
    QWidget* parent = nullptr;
    QString text;  // the tape, lines ended by LF
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    // Sets up the printer; null for the print dialog. False: cancelled.
    std::function<bool(QPrinter&)> choosePrinter;
    // Writes a file whole or not at all; the reason when it failed.
    std::function<std::optional<std::string>(const std::string& path, std::string_view bytes)> writeFile;
};

struct TapePrintResult {
    bool chosen = false;              // false: the user cancelled the dialog
    std::optional<QString> failure;  // why it was not printed
};

inline constexpr char kTapePrintModule[] = "zorvcalc-print";
// The entry point; the number is the interface's version, so a module from
// another build is refused.
inline constexpr char kPrintTape[] = "zorv_print_tape_1";
using PrintTape = void (*)(const TapePrintJob& job, TapePrintResult* result);

}  // namespace zorv::ui
