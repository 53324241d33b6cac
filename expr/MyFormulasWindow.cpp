#include "expr/MyFormulasWindow.h"

#include <QGridLayout>
#include <algorithm>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "expr/ExpressionKeys.h"
#include "expr/TypedKey.h"

namespace zorv::expr {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

MyFormulasWindow::MyFormulasWindow(engine::UserFeedback& feedback, std::string dataDir,
                                   std::string decimalSymbol, QWidget* parent)
    : QDialog(parent),
      feedback_(feedback),
      dataDir_(std::move(dataDir)),
      decimalSymbol_(std::move(decimalSymbol)) {
    setObjectName(QStringLiteral("frmMyFormulas"));
    setWindowTitle(tr("My Formulas"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstFormulas"));
    list_->setMinimumHeight(160);
    auto* listLabel = new QLabel(tr("Stored &formulas:"), this);
    listLabel->setBuddy(list_);

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txtName"));
    formula_ = new QLineEdit(this);
    formula_->setObjectName(QStringLiteral("txtFormula"));
    formula_->installEventFilter(this);
    nameLabel_ = new QLabel(tr("&Name:"), this);
    nameLabel_->setBuddy(name_);
    formulaLabel_ = new QLabel(tr("F&ormula:"), this);
    formulaLabel_->setBuddy(formula_);
    auto* boxes = new QGridLayout;
    boxes->addWidget(nameLabel_, 0, 0);
    boxes->addWidget(name_, 0, 1);
    boxes->addWidget(formulaLabel_, 1, 0);
    boxes->addWidget(formula_, 1, 1);

    add_ = makeButton(tr("&Add"), "comAdd", this);
    edit_ = makeButton(tr("&Edit"), "comEdit", this);
    save_ = makeButton(tr("&Save"), "comSave", this);
    save_->setDefault(true);  // Enter in the name or formula box saves
    delete_ = makeButton(tr("&Delete"), "comDelete", this);
    exit_ = makeButton(tr("E&xit"), "comExit", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add_, edit_, save_, delete_}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(exit_);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(list_, 1);
    left->addLayout(boxes);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    setLayout(top);
    setMinimumWidth(440);

    connect(add_, &QPushButton::clicked, this, [this] { addFormula(); });
    connect(edit_, &QPushButton::clicked, this, [this] { editFormula(); });
    connect(save_, &QPushButton::clicked, this, [this] { saveFormula(); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteFormula(); });
    connect(exit_, &QPushButton::clicked, this, [this] { closeFormulas(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { lstFormulas_DblClick(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    showBoxes(false);
}

void MyFormulasWindow::Init(const std::string& fileName) {
    file_ = FormulaFile(std::filesystem::path(dataDir_) / fileName);
    footMark_ = fileName == FormulaFile::kConstructionFile;
    file_.ensureExists();
    mode_ = Mode::None;
    showBoxes(false);
    reload();
}

void MyFormulasWindow::reload() {
    const int row = list_->currentRow();
    list_->clear();
    const auto loaded = file_.load();
    if (!loaded.error.empty())
        feedback_.showMessage("The formulas could not be read from\r\n" + file_.path().string() + "\r\n" +
                                  loaded.error,
                              std::string(engine::kProductName), engine::MessageIcon::Exclamation);
    for (const auto& line : loaded.lines) list_->addItem(qs(line.name()));
    if (list_->count() > 0) list_->setCurrentRow(std::clamp(row, 0, list_->count() - 1));
    updateButtons();
}

void MyFormulasWindow::showBoxes(bool shown) {
    for (QWidget* w : std::initializer_list<QWidget*>{nameLabel_, name_, formulaLabel_, formula_})
        w->setVisible(shown);
    updateButtons();
}

void MyFormulasWindow::updateButtons() {
    const bool selected = list_->currentRow() >= 0;
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
    save_->setEnabled(mode_ != Mode::None);
}

void MyFormulasWindow::addFormula() {
    mode_ = Mode::Adding;
    name_->clear();
    formula_->clear();
    showBoxes(true);
    name_->setFocus();
}

void MyFormulasWindow::editFormula() {
    const int row = list_->currentRow();
    const auto lines = file_.lines();
    if (row < 0 || static_cast<std::size_t>(row) >= lines.size()) return;
    mode_ = Mode::Editing;
    editedLine_ = static_cast<std::size_t>(row);
    name_->setText(qs(lines[editedLine_].name()));
    formula_->setText(qs(lines[editedLine_].text()));
    showBoxes(true);
    formula_->setFocus();
}

void MyFormulasWindow::lstFormulas_DblClick() { editFormula(); }

void MyFormulasWindow::saveFormula() {
    if (mode_ == Mode::None) return;
    const std::string name = name_->text().toStdString();
    const std::string formula = formula_->text().toStdString();
    const std::optional<std::size_t> self =
        mode_ == Mode::Editing ? std::optional<std::size_t>(editedLine_) : std::nullopt;
    if (file_.nameTaken(name, self)) {
        feedback_.showMessage("That name already exists!\r\nPlease rename your formula.",
                              std::string(engine::kProductName), engine::MessageIcon::Information);
        name_->setFocus();
        return;
    }
    try {
        if (mode_ == Mode::Adding) file_.add(name, formula);
        else file_.replace(editedLine_, name, formula);
    } catch (const FormulaFileError& e) {
        feedback_.showMessage("Your formula could not be saved:\r\n" + std::string(e.what()),
                              std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        return;
    }
    const bool added = mode_ == Mode::Adding;
    mode_ = Mode::None;
    showBoxes(false);
    reload();
    if (added && list_->count() > 0) list_->setCurrentRow(list_->count() - 1);
}

void MyFormulasWindow::deleteFormula() {
    const int row = list_->currentRow();
    if (row < 0) return;
    try {
        file_.remove(static_cast<std::size_t>(row));
    } catch (const FormulaFileError& e) {
        feedback_.showMessage("The formula could not be deleted:\r\n" + std::string(e.what()),
                              std::string(engine::kProductName), engine::MessageIcon::Exclamation);
        return;
    }
    mode_ = Mode::None;
    showBoxes(false);
    reload();
}

void MyFormulasWindow::closeFormulas() { accept(); }

bool MyFormulasWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != formula_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto typed = typedKey(static_cast<QKeyEvent*>(event));
    if (!typed) return false;
    return applyToBox(formula_, expressionKey(*typed, decimalSymbol_, footMark_), feedback_);
}

}  // namespace zorv::expr
