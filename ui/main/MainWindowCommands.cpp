#include "MainWindowCommands.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextCursor>
#include <QUrl>

#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "engine/RpnStack.h"
#include "engine/TapeCommands.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/RpnStackWindow.h"
#include "ui/print/TapePrinting.h"
#include "platform/Modules.h"

namespace zorv::ui {

using engine::CommandId;

namespace {

const std::string kProduct(engine::kProductName);

QString crlfToLf(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.remove(QLatin1Char('\r'));
    return s;
}


}  // namespace

MainWindowCommands::MainWindowCommands(CalculatorWindow& window, engine::CalculatorModel& model,
                                       engine::TapeCommands* tape, engine::RpnStack* rpn,
                                       QObject* parent)
    : QObject(parent), window_(window), model_(model), tape_(tape), rpn_(rpn) {
    lastFolder_ = QDir::homePath();
    auto& c = model_.commands();
    c.add(CommandId::PrintTape, [this] { printTape(); });
    c.add(CommandId::EditTape, [this] { toggleTapeEditing(); }, [this] { return model_.tapeUnlocked; });
    c.add(CommandId::HideShowTape, [this] { hideOrShowTape(); });
    c.add(CommandId::HideShowNumberKeys, [this] { hideOrShowNumberKeys(); });
    c.add(CommandId::HelpContents, [this] { showHelp(); });
    c.add(CommandId::About, [this] { showAbout(); });
    if (rpn_) c.add(CommandId::ViewRpnStack, [this] { viewRpnStack(); });
    c.add(CommandId::CopyReadout, [this] { copyReadout(); });
    c.add(CommandId::PasteReadout, [this] {
        model_.pasteReadout(QGuiApplication::clipboard()->text().toStdString());
    });

    if (tape_) {
        tape_->chooseSavePath = [this](const std::string& defaultName) -> std::optional<std::string> {
            const QString path = QFileDialog::getSaveFileName(
                &window_, tr("Save Tape to File"),
                QDir(lastFolder_).filePath(QString::fromStdString(defaultName)),
                tr("Text files (*.txt);;All files (*)"));
            if (path.isEmpty()) return std::nullopt;
            lastFolder_ = QFileInfo(path).absolutePath();
            return path.toStdString();
        };
        tape_->chooseOpenPath = [this]() -> std::optional<std::string> {
            const QString path = QFileDialog::getOpenFileName(
                &window_, tr("Load Saved Tape"), lastFolder_, tr("Text files (*.txt);;All files (*)"));
            if (path.isEmpty()) return std::nullopt;
            lastFolder_ = QFileInfo(path).absolutePath();
            return path.toStdString();
        };
        tape_->showMatch = [this](std::size_t offset, std::size_t length) { showMatch(offset, length); };
        tape_->beforeUse = [this] { commitTapeEdits(); };
        tape_->openPublished = &MainWindowCommands::openWith;
    }

    // F1 opens the guide at what the hint label is about; the Help menu
    // opens it at its contents.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &window_);
    connect(f1, &QShortcut::activated, this,
            [this] { showHelp(HelpWindow::topicForHint(QString::fromStdString(model_.hint()))); });

    // The stack view is offered exactly while RPN mode is on.
    connect(&window_, &CalculatorWindow::actionsRefreshed, this, [this] {
        const bool rpnOn = rpn_ && model_.modes().rpn;
        if (QAction* a = window_.existingAction(CommandId::ViewRpnStack)) a->setEnabled(rpnOn);
        if (!rpnOn && stackWindow_) stackWindow_->close();
    });
    window_.refreshActions();
}

MainWindowCommands::~MainWindowCommands() {
    if (tape_) {
        tape_->chooseSavePath = nullptr;
        tape_->chooseOpenPath = nullptr;
        tape_->showMatch = nullptr;
        tape_->beforeUse = nullptr;
    }
    delete stackWindow_;
    delete help_;
}

// ---------------------------------------------------------------------------
// Printing

// Ctrl+C copies what the user selected on the tape; with nothing selected
// there, the readout's number.
void MainWindowCommands::copyReadout() {
    const QString selection = window_.tapeSelection();
    if (!selection.isEmpty()) {
        QGuiApplication::clipboard()->setText(selection);
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(model_.readoutForCopy()));
}

void MainWindowCommands::printTape() {
    commitTapeEdits();
    if (model_.tape().text().empty()) {
        model_.feedback().showMessage("The tape is empty: there is nothing to print.", kProduct,
                                      engine::MessageIcon::Information);
        return;
    }
    QString error;
    const auto print =
        reinterpret_cast<PrintTape>(platform::moduleEntry(QLatin1String(kTapePrintModule), kPrintTape, &error));
    if (!print) {
        model_.feedback().showMessage("The tape could not be printed.\r\n" + error.toStdString(), kProduct,
                                      engine::MessageIcon::Exclamation);
        return;
    }
    TapePrintJob job;
    job.parent = &window_;
    job.text = crlfToLf(model_.tape().text());
    job.font = window_.txtTape()->font();
    job.alignment = window_.txtTape()->alignment();
    job.choosePrinter = choosePrinter;
    job.writeFile = [](const std::string& path, std::string_view bytes) {
        return engine::atomicfile::write(path, bytes);
    };
    TapePrintResult result;
    print(job, &result);
    if (result.chosen && result.failure)
        model_.feedback().showMessage("The tape could not be printed.\r\n" + result.failure->toStdString(),
                                      kProduct, engine::MessageIcon::Exclamation);
}

// ---------------------------------------------------------------------------
// Publishing

std::optional<std::string> MainWindowCommands::openWith(const std::string& file,
                                                        const std::string& program) {
    if (program.empty()) {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file))))
            return std::string("No program is set up to open this kind of file.");
        return std::nullopt;
    }
    const QString exe = QString::fromStdString(program);
    if (!QFileInfo(exe).isExecutable() && QStandardPaths::findExecutable(exe).isEmpty())
        return std::string("There is no such program.");
    // The file is the program's one argument: no shell sees the names.
    if (!QProcess::startDetached(exe, {QString::fromStdString(file)}))
        return std::string("The program could not be started.");
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// The tape on screen

void MainWindowCommands::commitTapeEdits() {
    if (!model_.tapeUnlocked) return;
    const QString shown = window_.shownTapeText();
    if (shown == crlfToLf(model_.tape().text())) return;
    QString text = shown;
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    model_.tape().setText(text.toStdString());
}

void MainWindowCommands::toggleTapeEditing() {
    window_.finishTapeLoad();  // the whole tape is edited
    TapeView* tape = window_.txtTape();
    if (!model_.tapeUnlocked) {
        model_.tapeUnlocked = true;
        if (window_.tapeHidden()) hideOrShowTape();
        tape->setEditing(true);
        model_.setHint("Editing the tape: choose Edit Tape again to lock it");
        tape->editor()->setFocus();
        tape->editor()->moveCursor(QTextCursor::End);
    } else {
        commitTapeEdits();
        model_.tapeUnlocked = false;
        tape->setEditing(false);
        model_.setHint("Press F1 for Help");
        window_.focusTotalKey();
    }
    window_.refreshActions();
}

void MainWindowCommands::hideOrShowTape() {
    const bool hide = !window_.tapeHidden();
    if (hide && model_.tapeUnlocked) toggleTapeEditing();  // lock before hiding
    window_.setTapeHidden(hide);
}

void MainWindowCommands::hideOrShowNumberKeys() {
    QWidget* keypad = window_.keypad();
    keypad->setVisible(keypad->isHidden());
    // Shrink to what is left (or grow back to the keys) at once, rather
    // than spreading the readout and labels over the keypad's room.
    if (window_.isMaximized() || window_.isFullScreen()) return;
    // Let the layouts take in the change now (they would only do so once
    // back in the event loop), so that the window's minimum size and size
    // hint no longer hold the keys' room.
    // Each layout passes the change on to the one around it, so this takes
    // one round per level of nesting.
    for (int level = 0; level < 4; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    window_.resize(window_.width(), window_.sizeHint().height());
}

void MainWindowCommands::showMatch(std::size_t offset, std::size_t length) {
    if (window_.tapeHidden()) hideOrShowTape();
    window_.showTapeRange(offset, length);
}

// ---------------------------------------------------------------------------
// Windows

HelpWindow* MainWindowCommands::helpWindow() const { return help_; }
RpnStackWindow* MainWindowCommands::rpnStackWindow() const { return stackWindow_; }

void MainWindowCommands::viewRpnStack() {
    if (!rpn_ || !model_.modes().rpn) {
        model_.feedback().beep();
        return;
    }
    if (!stackWindow_) {
        stackWindow_ = new RpnStackWindow(*rpn_, &window_);
        // Beside the calculator rather than over its keys: to the right
        // when the screen has room there, else to the left.
        stackWindow_->adjustSize();
        const QRect frame = window_.frameGeometry();
        const QRect screen = window_.screen()->availableGeometry();
        const int width = stackWindow_->frameGeometry().width();
        int x = frame.right() + 8;
        if (x + width > screen.right()) x = std::max(screen.left(), frame.left() - width - 8);
        stackWindow_->move(x, frame.top());
    }
    stackWindow_->refresh();
    stackWindow_->show();
    stackWindow_->raise();
}

void MainWindowCommands::showHelp(const QString& anchor) {
    if (!help_) help_ = new HelpWindow(&window_);
    help_->showTopic(anchor);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindowCommands::showAbout() {
    model_.feedback().showMessage(
        kProduct + "\r\nVersion " ZORV_VERSION "\r\n\r\n"
                   "A calculator modelled on a printing adding machine: every number, operator "
                   "and total is written on the paper tape.\r\n\r\nPress F1 for help.",
        "About " + kProduct, engine::MessageIcon::Information);
}

}  // namespace zorv::ui
