#include "JournalWindow.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
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

}  // namespace

TapeJournal* installTapeJournal(engine::CalculatorModel& model, JournalWindowOptions options) {
    TapeJournal::Options o;
    o.folder = options.dataFolder;
    o.keepBetweenRuns = options.settings.flag(setting::KeepTape, true);
    o.historyLimit = historyLimitBytes(options.settings);
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
            if (!model.TapeUnlocked) model.runCommand(engine::CommandId::EditTape);
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
