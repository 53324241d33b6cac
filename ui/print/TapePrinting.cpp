// Printing the tape, built as the module "zorvcalc-print": only Print Tape
// loads it, and with it the print support library.
#include "ui/print/TapePrinting.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>

namespace zorv::ui {

namespace {

// The texts keep the main window's translation context, where their
// translations are.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(zorv::ui::MainWindowCommands)
};

// The tape as a document to print: the tape's font and line alignment.
void fillDocument(QTextDocument& doc, const TapePrintJob& job) {
    doc.setDefaultFont(job.font);
    QTextOption option = doc.defaultTextOption();
    option.setAlignment(job.alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.setPlainText(job.text);
}

std::optional<QString> printTo(QPrinter& printer, const TapePrintJob& job) {
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid())
        return Texts::tr(
            "No printer is available. Choose \"Print to File (PDF)\" to keep a copy.");
    QTextDocument doc;
    fillDocument(doc, job);
    // A PDF is made in memory and saved through the atomic writer like every
    // other file, so a pipe, a device or a read-only file is refused rather
    // than written into, and a failed write keeps the old file.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setPageLayout(printer.pageLayout());
            writer.setResolution(printer.resolution());
            writer.setTitle(printer.docName());
            writer.setCreator(printer.creator());
            doc.print(&writer);
        }
        const QByteArray& bytes = pdf.data();
        if (const auto failure =
                job.writeFile(QFile::encodeName(printer.outputFileName()).toStdString(),
                              std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
            return Texts::tr("The file %1 could not be written: %2")
                .arg(printer.outputFileName(), QString::fromStdString(*failure));
        return std::nullopt;
    }
    doc.print(&printer);
    if (printer.printerState() == QPrinter::Error)
        return printer.outputFileName().isEmpty()
                   ? Texts::tr("The printer reported an error.")
                   : Texts::tr("The file %1 could not be written.").arg(printer.outputFileName());
    return std::nullopt;
}

}  // namespace

}  // namespace zorv::ui

extern "C" Q_DECL_EXPORT void zorv_print_tape_1(const zorv::ui::TapePrintJob& job, zorv::ui::TapePrintResult* result) {
    using namespace zorv::ui;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Zorv Tape"));
    result->chosen = job.choosePrinter ? job.choosePrinter(printer)
                                       : QPrintDialog(&printer, job.parent).exec() == QDialog::Accepted;
    if (result->chosen) result->failure = printTo(printer, job);
}
