#include "ScratchPadWindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "engine/RegularFile.h"
#include "notes/ScratchPad.h"
#include "shell/SettingsKeys.h"

namespace zorv::notes {

namespace {

constexpr std::size_t kMaxPadBytes = 64 * 1024 * 1024;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Byte offset in the UTF-8 form of `text` of the UTF-16 position `pos`.
std::size_t utf8Offset(const QString& text, int pos) { return static_cast<std::size_t>(text.left(pos).toUtf8().size()); }

}  // namespace

ScratchPadWindow::ScratchPadWindow(engine::CalculatorModel& model, shell::SettingsStore& store, QWidget* parent)
    : QMainWindow(parent, Qt::Window), model_(model), store_(store) {
    setObjectName(QStringLiteral("frmScratchPad"));
    editor_ = new QPlainTextEdit(this);
    editor_->setAccessibleName(tr("Scratch pad text"));
    setCentralWidget(editor_);
    status_ = new QLabel(this);
    status_->setAccessibleName(tr("Status"));
    statusBar()->addWidget(status_, 1);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &ScratchPadWindow::newPad);
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &ScratchPadWindow::open);
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { save(); });
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, [this] { saveAs(); });
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence(Qt::Key_Escape), this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Undo"), QKeySequence::Undo, editor_, &QPlainTextEdit::undo);
    edit->addAction(tr("&Redo"), QKeySequence::Redo, editor_, &QPlainTextEdit::redo);
    edit->addSeparator();
    edit->addAction(tr("Cu&t"), QKeySequence::Cut, editor_, &QPlainTextEdit::cut);
    edit->addAction(tr("&Copy"), QKeySequence::Copy, editor_, &QPlainTextEdit::copy);
    edit->addAction(tr("&Paste"), QKeySequence::Paste, editor_, &QPlainTextEdit::paste);
    edit->addAction(tr("Select &All"), QKeySequence::SelectAll, editor_, &QPlainTextEdit::selectAll);
    edit->addSeparator();
    edit->addAction(tr("&Find..."), QKeySequence::Find, this, &ScratchPadWindow::find);
    edit->addAction(tr("Find &Next"), QKeySequence::FindNext, this, &ScratchPadWindow::findNext);
    edit->addSeparator();
    edit->addAction(tr("Number to &Readout"), QKeySequence(Qt::CTRL | Qt::Key_R), this,
                    [this] { numberToReadout(); });
    QMenu* format = menuBar()->addMenu(tr("F&ormat"));
    format->addAction(tr("&Font..."), this, &ScratchPadWindow::chooseFont);

    askDiscard = [this] {
        return int(QMessageBox::question(this, windowTitle(), tr("The scratch pad has changes that are not saved. Save them?"),
                                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                         QMessageBox::Save));
    };
    askPath = [this](bool saving) {
        const QString start = file_ ? qs(file_->string()) : QString();
        const QString filter = tr("Text files (*.txt);;All files (*)");
        return saving ? QFileDialog::getSaveFileName(this, tr("Save Scratch Pad"), start, filter)
                      : QFileDialog::getOpenFileName(this, tr("Open into Scratch Pad"), start, filter);
    };

    QFont font(qs(shell::readText(store_, shell::key::EditorFontName)));
    font.setPointSize(shell::readInt(store_, shell::key::EditorFontSize));
    font.setBold(shell::readFlag(store_, shell::key::EditorFontBold));
    font.setItalic(shell::readFlag(store_, shell::key::EditorFontItalic));
    font.setStyleHint(QFont::Monospace);
    editor_->setFont(font);
    resize(shell::readInt(store_, shell::key::ScratchWidth), shell::readInt(store_, shell::key::ScratchHeight));

    connect(editor_->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
    updateTitle();
}

void ScratchPadWindow::updateTitle() {
    const QString name = file_ ? qs(file_->filename().string()) : tr("Untitled");
    setWindowTitle(tr("Scratch Pad - %1[*]").arg(name));
}

void ScratchPadWindow::openLastFile() {
    if (auto last = lastFileFromSetting(shell::readText(store_, shell::key::LastFile)))
        if (std::filesystem::is_regular_file(*last)) openFile(qs(last->string()));
}

bool ScratchPadWindow::openFile(const QString& path) {
    const engine::FileRead read = engine::readRegularFile(path.toStdString(), kMaxPadBytes);
    if (!read.ok()) {
        QMessageBox::warning(this, tr("Scratch Pad"), tr("%1 could not be opened: %2").arg(path, qs(read.reason)));
        return false;
    }
    editor_->setPlainText(QString::fromUtf8(read.text.data(), static_cast<int>(read.text.size())));
    editor_->document()->setModified(false);
    file_ = std::filesystem::path(path.toStdString());
    shell::writeText(store_, shell::key::LastFile, lastFileSetting(file_));
    status_->setText(path);
    updateTitle();
    return true;
}

bool ScratchPadWindow::writeTo(const std::filesystem::path& path) {
    if (auto error = engine::atomicfile::write(path.string(), editor_->toPlainText().toStdString())) {
        QMessageBox::warning(this, tr("Scratch Pad"),
                             tr("%1 was not saved: %2").arg(qs(path.string()), qs(*error)));
        return false;
    }
    file_ = path;
    editor_->document()->setModified(false);
    shell::writeText(store_, shell::key::LastFile, lastFileSetting(file_));
    status_->setText(tr("Saved %1").arg(qs(path.string())));
    updateTitle();
    return true;
}

bool ScratchPadWindow::save() { return file_ ? writeTo(*file_) : saveAs(); }

bool ScratchPadWindow::saveAs() {
    const QString path = askPath(true);
    if (path.isEmpty()) return false;
    return writeTo(std::filesystem::path(path.toStdString()));
}

bool ScratchPadWindow::maybeDiscard() {
    if (!editor_->document()->isModified()) return true;
    switch (askDiscard()) {
    case QMessageBox::Save: return save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void ScratchPadWindow::newPad() {
    if (!maybeDiscard()) return;
    editor_->clear();
    editor_->document()->setModified(false);
    file_.reset();
    shell::writeText(store_, shell::key::LastFile, lastFileSetting(file_));
    status_->clear();
    updateTitle();
}

void ScratchPadWindow::open() {
    if (!maybeDiscard()) return;
    const QString path = askPath(false);
    if (!path.isEmpty()) openFile(path);
}

void ScratchPadWindow::appendText(const QString& text) {
    if (text.isEmpty()) return;
    QString addition = text;
    const QString current = editor_->toPlainText();
    if (!current.isEmpty() && !current.endsWith(QLatin1Char('\n'))) addition.prepend(QLatin1Char('\n'));
    if (!addition.endsWith(QLatin1Char('\n'))) addition += QLatin1Char('\n');
    QTextCursor cursor(editor_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(addition);
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
}

bool ScratchPadWindow::findText(const QString& text) {
    if (text.isEmpty()) return false;
    lastFind_ = text;
    if (editor_->find(text)) return true;
    // Round once from the top.
    QTextCursor keep = editor_->textCursor();
    editor_->moveCursor(QTextCursor::Start);
    if (editor_->find(text)) return true;
    editor_->setTextCursor(keep);
    status_->setText(tr("\"%1\" was not found.").arg(text));
    return false;
}

void ScratchPadWindow::find() {
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Find"), tr("Find &what:"), QLineEdit::Normal, lastFind_, &ok);
    if (ok) findText(text);
}

void ScratchPadWindow::findNext() {
    if (lastFind_.isEmpty()) find();
    else findText(lastFind_);
}

bool ScratchPadWindow::numberToReadout() {
    const QString text = editor_->toPlainText();
    const QTextCursor cursor = editor_->textCursor();
    const auto picked = numberNear(text.toStdString(), utf8Offset(text, cursor.selectionStart()),
                                   utf8Offset(text, cursor.selectionEnd()), model_.symbols());
    if (!picked) {
        model_.feedback().beep();
        status_->setText(tr("No number at the cursor."));
        return false;
    }
    model_.setReadout(model_.toText(picked->value));
    model_.normalizeReadout();
    model_.setEntryState(engine::EntryState::Number);
    model_.notify();
    status_->setText(tr("%1 is on the readout.").arg(qs(model_.readout())));
    return true;
}

void ScratchPadWindow::chooseFont() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, editor_->font(), this, tr("Scratch Pad Font"));
    if (ok) applyFont(font);
}

void ScratchPadWindow::applyFont(const QFont& font) {
    editor_->setFont(font);
    shell::writeText(store_, shell::key::EditorFontName, font.family().toStdString());
    shell::writeNumber(store_, shell::key::EditorFontSize, font.pointSize() > 0 ? font.pointSize() : 10);
    shell::writeFlag(store_, shell::key::EditorFontBold, font.bold());
    shell::writeFlag(store_, shell::key::EditorFontItalic, font.italic());
}

void ScratchPadWindow::closeEvent(QCloseEvent* event) {
    if (!maybeDiscard()) {
        event->ignore();
        return;
    }
    if (!isMaximized() && !isMinimized()) {
        shell::writeNumber(store_, shell::key::ScratchWidth, width());
        shell::writeNumber(store_, shell::key::ScratchHeight, height());
    }
    event->accept();
}

}  // namespace zorv::notes
