#include "expr/FormulaPicker.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/UserFeedback.h"
#include "expr/FormulaFile.h"
#include "expr/MyFormulasWindow.h"

namespace zorv::expr {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

FormulaPicker::FormulaPicker(QDialog& window, engine::UserFeedback& feedback, const FormulaRowTexts& texts)
    : window_(window), feedback_(feedback), keepSelection_(texts.keepSelection) {
    list_ = new QComboBox(&window);
    list_->setObjectName(QStringLiteral("cmbFormula"));
    list_->setAccessibleName(texts.listName);
    list_->setMinimumContentsLength(texts.minimumLength);
    list_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* label = new QLabel(texts.label, &window);
    label->setBuddy(list_);
    insert_ = new QPushButton(texts.insert, &window);
    insert_->setObjectName(QStringLiteral("comInsert"));
    insert_->setAccessibleName(texts.insertName);
    insert_->setAutoDefault(false);
    insert_->setToolTip(texts.insertTip);
    manage_ = new QPushButton(texts.manage, &window);
    manage_->setObjectName(QStringLiteral("comFormulas"));
    manage_->setAccessibleName(texts.manageName);
    manage_->setAutoDefault(false);
    manage_->setToolTip(texts.manageTip);
    row_ = new QHBoxLayout;
    row_->addWidget(label);
    row_->addWidget(list_, 1);
    row_->addWidget(insert_);
    row_->addWidget(manage_);
    QComboBox* list = list_;
    QObject::connect(list_, &QComboBox::currentIndexChanged, &window,
                     [list] { list->setToolTip(list->currentText()); });
}

void FormulaPicker::load() {
    const QString current = list_->currentText();
    list_->clear();
    const auto loaded = FormulaFile(file_).load();
    if (!loaded.error.empty() && loaded.error != readError_)
        feedback_.showMessage("The formulas could not be read from\r\n" + file_ + "\r\n" + loaded.error,
                              std::string(engine::kProductName), engine::MessageIcon::Exclamation);
    readError_ = loaded.error;
    for (const auto& line : loaded.lines) list_->addItem(qs(line.name()));
    const int keep = keepSelection_ ? list_->findText(current) : -1;
    if (list_->count() > 0) list_->setCurrentIndex(keep >= 0 ? keep : 0);
    list_->setToolTip(list_->currentText());
    list_->setEnabled(true);
}

std::optional<QString> FormulaPicker::chosenText() const {
    if (list_->count() == 0) return std::nullopt;
    const auto text = FormulaFile(file_).find(list_->currentText().toStdString());
    if (!text) return std::nullopt;
    return qs(*text);
}

void FormulaPicker::openMyFormulas(const std::string& dataDir, const std::string& decimalSymbol,
                                   std::string_view fileName) {
    if (!formulasWindow_) {
        formulasWindow_ = new MyFormulasWindow(feedback_, dataDir, decimalSymbol, &window_);
        // Closing the list changes what the window offers.
        QObject::connect(formulasWindow_, &QDialog::finished, &window_, [this] { load(); });
    }
    formulasWindow_->Init(std::string(fileName));
    formulasWindow_->setWindowModality(Qt::WindowModal);
    formulasWindow_->show();
    formulasWindow_->raise();
    formulasWindow_->activateWindow();
}

VariableBox makeVariableBox(QWidget& parent, int index, const QString& accessibleName, const std::string& value,
                            int maxLength, QObject* keyFilter) {
    static const char* const kLetters[3] = {"&X", "&Y", "&Z"};
    auto* box = new QLineEdit(&parent);
    box->setObjectName(QStringLiteral("txtVar%1").arg(index));
    box->setAccessibleName(accessibleName);
    box->setText(qs(value));
    box->setMaxLength(maxLength);
    box->installEventFilter(keyFilter);
    auto* label = new QLabel(QString::fromLatin1(kLetters[index]) + QStringLiteral(" ="), &parent);
    label->setBuddy(box);
    return {label, box};
}

void setStaysOnTop(QDialog& window, QPushButton& toggle, bool on) {
    toggle.setChecked(on);
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool shown = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) window.show();  // changing the flags hides the window
}

}  // namespace zorv::expr
