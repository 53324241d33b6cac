#include "TapeHistoryWindow.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QFontDatabase>
#include <QVBoxLayout>
#include <set>

#include "engine/CalculatorModel.h"
#include "journal/TapeExport.h"

namespace zorv::journal {

namespace {

QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr int kPathRole = Qt::UserRole + 1;

QString crlfToLf(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

TapeHistoryWindow::TapeHistoryWindow(engine::CalculatorModel& model, std::string historyFolder, QWidget* parent)
    : QDialog(parent), model_(model), folder_(std::move(historyFolder)) {
    setWindowTitle(tr("Tape History"));
    setObjectName(QStringLiteral("frmTapeHistory"));
    auto* layout = new QVBoxLayout(this);

    auto* searchRow = new QHBoxLayout();
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("txtSearch"));
    search_->setAccessibleName(tr("Search all past tapes"));
    search_->setPlaceholderText(tr("Text on any past tape"));
    search_->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(tr("&Search:"), this);
    searchLabel->setBuddy(search_);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    layout->addLayout(searchRow);

    auto* split = new QSplitter(Qt::Vertical, this);
    list_ = new QTreeWidget(split);
    list_->setObjectName(QStringLiteral("lstTapes"));
    list_->setAccessibleName(tr("Past tapes"));
    list_->setHeaderLabels({tr("Date"), tr("First line"), tr("Last line"), tr("Lines")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    viewer_ = new QPlainTextEdit(split);
    viewer_->setObjectName(QStringLiteral("txtTape"));
    viewer_->setAccessibleName(tr("The selected tape, read-only"));
    viewer_->setReadOnly(true);
    viewer_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    viewer_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(this);
    auto make = [&](const char* name, const QString& caption, const QString& accessible) {
        auto* b = buttons->addButton(caption, QDialogButtonBox::ActionRole);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(accessible);
        b->setAutoDefault(false);
        return b;
    };
    copy_ = make("cmdCopy", tr("&Copy"), tr("Copy the selected text, or the whole tape"));
    restore_ = make("cmdRestore", tr("&Restore"), tr("Restore as the current tape"));
    export_ = make("cmdExport", tr("E&xport..."), tr("Export the tape"));
    delete_ = make("cmdDelete", tr("&Delete"), tr("Delete the tape from the history"));
    auto* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAccessibleName(tr("Close"));
    close->setDefault(true);
    layout->addWidget(buttons);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(copy_, &QPushButton::clicked, this, [this] { copySelection(); });
    connect(restore_, &QPushButton::clicked, this, [this] { restoreSelected(); });
    connect(export_, &QPushButton::clicked, this, [this] { exportSelected(); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(search_, &QLineEdit::textChanged, this, [this] { reload(); });
    // Enter in the search box goes on to the list rather than closing.
    connect(search_, &QLineEdit::returnPressed, this, [this] { list_->setFocus(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { showSelected(); });

    setTabOrder(search_, list_);
    setTabOrder(list_, viewer_);
    resize(720, 520);
    reload();
    search_->setFocus();
}

void TapeHistoryWindow::reload() {
    const std::string needle = search_->text().trimmed().toStdString();
    std::set<std::string> matching;
    std::size_t hitCount = 0;
    if (!needle.empty()) {
        for (const auto& hit : history::search(folder_, needle)) {
            matching.insert(hit.path);
            ++hitCount;
        }
    }
    const std::string current = selectedPath();
    list_->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const auto& e : history::list(folder_)) {
        if (!needle.empty() && !matching.count(e.path)) continue;
        auto* item = new QTreeWidgetItem(list_, {q(e.date), q(e.firstLine), q(e.lastLine), QString::number(e.lines)});
        item->setData(0, kPathRole, q(e.path));
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (e.path == current) keep = item;
    }
    if (!keep && list_->topLevelItemCount() > 0) keep = list_->topLevelItem(0);
    list_->setCurrentItem(keep);
    const int n = list_->topLevelItemCount();
    status_->setText(needle.empty() ? tr("%n past tape(s)", nullptr, n)
                                    : tr("%1 matching line(s) on %2 tape(s)").arg(hitCount).arg(n));
    showSelected();
}

std::string TapeHistoryWindow::selectedPath() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}

void TapeHistoryWindow::showSelected() {
    const std::string path = selectedPath();
    const bool any = !path.empty();
    for (QPushButton* b : {copy_, restore_, export_, delete_}) b->setEnabled(any);
    if (!any) {
        viewer_->clear();
        return;
    }
    std::string reason;
    const auto text = history::read(path, &reason);
    viewer_->setPlainText(text ? crlfToLf(q(*text)) : tr("This tape could not be read: %1").arg(q(reason)));
    const QString needle = search_->text().trimmed();
    if (!needle.isEmpty()) viewer_->find(needle);
}

void TapeHistoryWindow::copySelection() {
    QString text = viewer_->textCursor().selectedText();
    text.replace(QChar(0x2029), QLatin1Char('\n'));
    if (text.isEmpty()) text = viewer_->toPlainText();
    QGuiApplication::clipboard()->setText(text);
}

void TapeHistoryWindow::restoreSelected() {
    const std::string path = selectedPath();
    const auto text = history::read(path);
    if (!text) return;
    const auto answer = model_.feedback().showMessage(
        "Restore this tape as the current tape? The current tape is kept in the history.",
        std::string(engine::kProductName), engine::MessageIcon::Question, engine::MessageButtons::YesNo,
        engine::MessageResult::No);
    if (answer != engine::MessageResult::Yes) return;
    // Clearing puts the current tape in the history first.
    model_.tape().clear();
    model_.tape().setText(*text);
    reload();
}

void TapeHistoryWindow::exportSelected() {
    const std::string path = selectedPath();
    const auto text = history::read(path);
    if (!text) return;
    QString filter;
    const QString target = QFileDialog::getSaveFileName(
        this, tr("Export Tape"), QStringLiteral("tape.csv"),
        tr("CSV files (*.csv);;Tab-separated files (*.tsv);;Text files (*.txt)"), &filter);
    if (target.isEmpty()) return;
    const ExportFormat format = filter.startsWith(QStringLiteral("CSV")) ? ExportFormat::Csv
                                : filter.startsWith(QStringLiteral("Tab")) ? ExportFormat::Tsv
                                                                            : ExportFormat::Text;
    if (const auto failure = writeExport(target.toStdString(), exportTape(*text, model_.symbols(), format)))
        model_.feedback().showMessage("The tape could not be exported to\r\n" + target.toStdString() + "\r\n" + *failure,
                                      std::string(engine::kProductName), engine::MessageIcon::Exclamation);
}

void TapeHistoryWindow::deleteSelected() {
    const std::string path = selectedPath();
    if (path.empty()) return;
    const auto answer = model_.feedback().showMessage("Delete this tape from the history? It cannot be brought back.",
                                                      std::string(engine::kProductName), engine::MessageIcon::Question,
                                                      engine::MessageButtons::YesNo, engine::MessageResult::No);
    if (answer != engine::MessageResult::Yes) return;
    if (const auto failure = history::remove(path))
        model_.feedback().showMessage("The tape could not be deleted: " + *failure, std::string(engine::kProductName),
                                      engine::MessageIcon::Exclamation);
    reload();
}

}  // namespace zorv::journal
