#include "JournalWindow.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "journal/CorrectEntry.h"
#include "journal/CorrectEntryDialog.h"
#include "journal/TapeExport.h"
#include "journal/TapeHistoryWindow.h"
#include "journal/TapeJournal.h"

namespace zorv::journal {

namespace {

// Owns the journal for as long as the main window lives.
class JournalHolder : public QObject {
public:
    JournalHolder(QObject* parent, std::unique_ptr<TapeJournal> journal)
        : QObject(parent), journal(std::move(journal)) {}
    std::unique_ptr<TapeJournal> journal;
};

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += (out.empty() ? "" : "\r\n") + l;
    return out;
}

// Export asks for the file with the desktop's dialog; Paste Column takes
// the clipboard's text.
// Correct Entry: the entry under the tape's cursor, else the one the user
// names, in the correction dialog.
void correctEntryInWindow(engine::CalculatorModel& model, QWidget* parent,
                          const std::function<std::optional<int>()>& cursorLine) {
    const LastCalculation chain = lastCalculation(model, model.tape());
    if (!chain.error.empty()) {
        model.feedback().showMessage(chain.error, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        return;
    }
    int n = 0;
    if (cursorLine) {
        if (const auto line = cursorLine(); line && *line >= 0) n = chain.entryAtLine(static_cast<std::size_t>(*line));
    }
    if (n == 0) {
        const int count = static_cast<int>(chain.entries.size());
        const auto answer = model.feedback().askText(
            "Put the tape's cursor on an entry of the last calculation, or give its number (1 to " +
                std::to_string(count) + "):",
            "Correct Entry", std::to_string(count));
        if (!answer) return;
        n = entryNumber(*answer);
        if (n < 1 || n > count) {
            model.feedback().showMessage("The last calculation has entries 1 to " + std::to_string(count) + ".",
                                         std::string(engine::kProductName), engine::MessageIcon::Information);
            return;
        }
    }
    CorrectEntryDialog dialog(model, chain, n, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const auto c = dialog.correction()) correctEntry(model, *c);
}

void installWindowCommands(engine::CalculatorModel& model, QWidget* parent,
                           std::function<std::optional<int>()> cursorLine) {
    model.commands().add(engine::CommandId::CorrectEntry, [&model, parent, cursorLine] {
        correctEntryInWindow(model, parent, cursorLine);
    });
    struct Kind {
        engine::CommandId id;
        ExportFormat format;
        const char* name;
        const char* filter;
    };
    for (const Kind k : {Kind{engine::CommandId::ExportTapeCsv, ExportFormat::Csv, "tape.csv", "CSV files (*.csv)"},
                         Kind{engine::CommandId::ExportTapeTsv, ExportFormat::Tsv, "tape.tsv", "Tab-separated files (*.tsv *.txt)"},
                         Kind{engine::CommandId::ExportTapeText, ExportFormat::Text, "tape.txt", "Text files (*.txt)"}}) {
        model.commands().add(k.id, [&model, parent, k] {
            const QString path = QFileDialog::getSaveFileName(
                parent, QString::fromUtf8(engine::commandText(k.id).data(), static_cast<qsizetype>(engine::commandText(k.id).size())),
                QString::fromLatin1(k.name), QString::fromLatin1(k.filter));
            if (path.isEmpty()) return;
            exportTapeTo(model, k.format, path.toStdString());
        });
    }
    model.commands().add(engine::CommandId::PasteColumn, [&model] {
        const QString text = QGuiApplication::clipboard()->text();
        if (text.trimmed().isEmpty()) {
            model.feedback().showMessage("The clipboard holds no column of numbers to paste.",
                                         std::string(engine::kProductName), engine::MessageIcon::Information);
            return;
        }
        pasteColumn(model, text.toStdString());
    });
}

}  // namespace

TapeJournal* installTapeJournal(engine::CalculatorModel& model, JournalWindowOptions options) {
    installWindowCommands(model, options.parent, options.tapeCursorLine);
    TapeJournal::Options o;
    o.folder = options.dataFolder;
    o.keepBetweenRuns = options.settings.flag(setting::KeepTape, true);
    o.historyLimit = historyLimitBytes(options.settings);
    o.compactLater = true;  // compact() after the window's first paint
    auto* holder = new JournalHolder(options.parent, std::make_unique<TapeJournal>(model, o));
    TapeJournal* journal = holder->journal.get();
    engine::UserFeedback& feedback = model.feedback();
    journal->reportProblem = [&feedback](const std::string& text) {
        feedback.showMessage(text, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
    };
    const std::vector<std::string> notes = journal->start();
    if (!notes.empty()) {
        const std::string text = "Part of the kept tape could not be read; the rest was put back.\r\n" + joinLines(notes);
        QTimer::singleShot(0, holder, [&feedback, text] {
            feedback.showMessage(text, std::string(engine::kProductName), engine::MessageIcon::Information);
        });
    }
    if (journal->restoredUnlocked())
        QTimer::singleShot(0, holder, [&model] {
            if (!model.tapeUnlocked) model.runCommand(engine::CommandId::EditTape);
        });
    model.commands().add(engine::CommandId::TapeHistory, [&model, journal, parent = options.parent] {
        journal->flush();
        TapeHistoryWindow window(model, historyFolder(journal->folder()), parent);
        window.exec();
    });
    auto* timer = new QTimer(holder);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, holder, [journal] { journal->tick(); });
    timer->start();
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, holder,
                     [journal] { journal->flush(); });
    return journal;
}

}  // namespace zorv::journal
