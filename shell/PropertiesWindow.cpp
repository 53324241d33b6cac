#include "PropertiesWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/ThemeColours.h"

namespace zorv::shell {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QIcon swatch(const PaletteColour& c) {
    QPixmap pm(14, 14);
    pm.fill(QColor(c.red, c.green, c.blue));
    return QIcon(pm);
}

}  // namespace

PropertiesWindow::PropertiesWindow(PropertiesForm& form, std::string programFolder, QWidget* parent)
    : QDialog(parent), form_(form), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("frmTapeSet"));
    setWindowTitle(QStringLiteral("Set Properties"));
    setModal(true);

    chooseFile = [this](const std::string& title, const std::string& folder,
                        const std::string& filter) -> std::optional<std::string> {
        const QString file = QFileDialog::getOpenFileName(this, q(title), q(folder), q(filter));
        if (file.isEmpty()) return std::nullopt;
        return file.toStdString();
    };

    auto* page = new QVBoxLayout(this);

    // ---- tape font -----------------------------------------------------
    auto* fontBox = new QGroupBox(tr("Tape Font"), this);
    auto* fontGrid = new QGridLayout(fontBox);
    fonts_ = new QComboBox(fontBox);
    fonts_->setObjectName(QStringLiteral("cmbFonts"));
    fonts_->setEditable(true);
    fonts_->setInsertPolicy(QComboBox::NoInsert);
    fonts_->setMinimumContentsLength(22);
    size_ = new QComboBox(fontBox);
    size_->setObjectName(QStringLiteral("cmbSize"));
    size_->setEditable(true);
    size_->setInsertPolicy(QComboBox::NoInsert);
    size_->setValidator(new QIntValidator(1, 400, size_));
    for (const char* s : tapeFontSizes()) size_->addItem(QString::fromLatin1(s));
    colour_ = new QComboBox(fontBox);
    colour_->setObjectName(QStringLiteral("cmbColor"));
    colour_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Inks too pale to read on the tape's paper (White on near-white) stay
    // in the list, in their place, but cannot be chosen.
    for (const auto& c : tapePalette()) {
        colour_->addItem(swatch(c), QString::fromLatin1(c.name));
        if (platform::contrastRatio(QColor(c.red, c.green, c.blue), platform::tapePaper()) < 3.0) {
            const int row = colour_->count() - 1;
            if (auto* model = qobject_cast<QStandardItemModel*>(colour_->model()))
                model->item(row)->setEnabled(false);
            colour_->setItemData(row, tr("Too pale to read on the tape's paper"), Qt::ToolTipRole);
        }
    }
    auto* bold = addCheck("chkBold", tr("Bold"));
    auto* italic = addCheck("chkItalic", tr("Italic"));
    auto* resetFonts = new QPushButton(tr("Reset"), fontBox);
    resetFonts->setObjectName(QStringLiteral("comResetFonts"));
    resetFonts->setAutoDefault(false);
    fontGrid->addWidget(new QLabel(tr("Font:"), fontBox), 0, 0);
    fontGrid->addWidget(fonts_, 0, 1, 1, 3);
    fontGrid->addWidget(new QLabel(tr("Size:"), fontBox), 1, 0);
    fontGrid->addWidget(size_, 1, 1);
    fontGrid->addWidget(new QLabel(tr("Colour:"), fontBox), 1, 2);
    fontGrid->addWidget(colour_, 1, 3);
    auto* styleRow = new QHBoxLayout();
    styleRow->addWidget(bold);
    styleRow->addWidget(italic);
    styleRow->addStretch(1);
    styleRow->addWidget(resetFonts);
    fontGrid->addLayout(styleRow, 2, 0, 1, 4);

    // ---- tape size -----------------------------------------------------
    auto* sizeBox = new QGroupBox(tr("Tape Size"), this);
    auto* sizeGrid = new QGridLayout(sizeBox);
    // Spin boxes: Tab reaches them, the arrow keys and Page Up/Down change
    // them, and a screen reader reads their value.
    tapeSize_ = new QSpinBox(sizeBox);
    tapeSize_->setObjectName(QStringLiteral("vsTapeSize"));
    tapeSize_->setRange(40, 350);
    tapeSize_->setSingleStep(5);
    tapeSize_->setSuffix(QStringLiteral("%"));
    tapeSize_->setAccessibleName(tr("Tape size in percent"));
    sizeLabel_ = new QLabel(sizeBox);
    sizeLabel_->setObjectName(QStringLiteral("lblSize"));
    sizeLabel_->setMinimumWidth(sizeLabel_->fontMetrics().horizontalAdvance(QStringLiteral("Hidden__")));
    auto* hide = addCheck("chkHide", tr("Hide"));
    auto* restore = new QPushButton(tr("Reset"), sizeBox);
    restore->setObjectName(QStringLiteral("comRestore"));
    restore->setToolTip(QStringLiteral("Set to original size."));
    restore->setAutoDefault(false);
    sizeGrid->addWidget(tapeSize_, 0, 0);
    sizeGrid->addWidget(sizeLabel_, 0, 1);
    sizeGrid->addWidget(hide, 1, 1);
    sizeGrid->addWidget(restore, 2, 1);

    auto* top = new QHBoxLayout();
    top->addWidget(fontBox, 1);
    top->addWidget(sizeBox);
    page->addLayout(top);

    // ---- start-up options and default modes --------------------------------
    auto* startBox = new QGroupBox(tr("Start Up"), this);
    auto* startGrid = new QGridLayout(startBox);
    startGrid->addWidget(addCheck("chkMinimized", tr("Start Minimized")), 0, 0);
    startGrid->addWidget(addCheck("chkStartOnTop", tr("Start On Top")), 0, 1);
    startGrid->addWidget(addCheck("chkCalcOnTop", tr("Calculator On Top")), 1, 0);
    startGrid->addWidget(addCheck("chkSaveMem", tr("Save Memory")), 1, 1);
    startGrid->addWidget(addCheck("chkExitButton", tr("Exit Button Minimizes")), 2, 0);
    startGrid->addWidget(addCheck("chkTlBr", tr("Hide Toolbar")), 2, 1);

    auto* modeBox = new QGroupBox(tr("Default Modes"), this);
    auto* modeGrid = new QGridLayout(modeBox);
    modeGrid->addWidget(addCheck("chkFinMode", tr("Financial Mode")), 0, 0);
    modeGrid->addWidget(addCheck("chkShowPercentage", tr("Show Percentages")), 0, 1);
    modeGrid->addWidget(addCheck("chkFormatNum", tr("Format Numbers")), 0, 2);
    modeGrid->addWidget(addCheck("chkPercentByNumber", tr("% for Number")), 1, 0);
    modeGrid->addWidget(addCheck("chkAddMach", tr("Adding Machine")), 1, 1);
    modeGrid->addWidget(addCheck("chkRPN", tr("RPN Mode")), 1, 2);
    modeGrid->addWidget(addCheck("chkAutoDec", tr("Auto-Decimal")), 2, 0);
    modeGrid->addWidget(addCheck("chkCarryResult", tr("Carry Result")), 2, 1);
    modeGrid->addWidget(addCheck("chkHideC", tr("Hide \"Clear\"")), 2, 2);

    auto* middle = new QHBoxLayout();
    middle->addWidget(startBox);
    middle->addWidget(modeBox, 1);
    page->addLayout(middle);

    // ---- decimal places and calendar years ---------------------------------
    auto* decBox = new QGroupBox(tr("Decimal Places"), this);
    auto* decRow = new QHBoxLayout(decBox);
    decPlaces_ = new QSpinBox(decBox);
    decPlaces_->setObjectName(QStringLiteral("vsDecPlaces"));
    decPlaces_->setRange(2, 15);
    decPlaces_->setAccessibleName(tr("Decimal places"));
    decLabel_ = new QLabel(decBox);
    decLabel_->setObjectName(QStringLiteral("lblDecPlace"));
    decLabel_->setMinimumWidth(decLabel_->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    decRow->addWidget(decPlaces_);
    decRow->addWidget(decLabel_);
    decLabel_->hide();  // the spin box shows the number
    decRow->addStretch(1);

    auto* yearBox = new QGroupBox(tr("Calendar First and Last Years"), this);
    auto* yearRow = new QHBoxLayout(yearBox);
    const char* yearCaptions[] = {QT_TR_NOOP("First"), QT_TR_NOOP("Last")};
    for (int i = 0; i < 2; ++i) {
        auto* box = new QLineEdit(yearBox);
        box->setObjectName(QStringLiteral("txtYear%1").arg(i));
        box->setMaxLength(9);
        // Typed keys are filtered below; this also keeps pasted or dropped
        // text to digits.
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), box));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i](const QString& t) {
            (i == 0 ? form_.pending().firstYear : form_.pending().lastYear) = t.toStdString();
        });
        years_[static_cast<std::size_t>(i)] = box;
        yearRow->addWidget(new QLabel(tr(yearCaptions[i]), yearBox));
        yearRow->addWidget(box);
    }
    yearRow->addStretch(1);

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(decBox);
    bottom->addWidget(yearBox, 1);
    page->addLayout(bottom);

    // ---- the kept tape and the tax keys ------------------------------------
    auto* keptBox = new QGroupBox(tr("Tape Record"), this);
    auto* keptRow = new QHBoxLayout(keptBox);
    auto* keep = addCheck("chkKeepTape", tr("Keep the tape between runs"));
    keep->setAccessibleName(tr("Keep the tape between runs"));
    historySize_ = new QSpinBox(keptBox);
    historySize_->setObjectName(QStringLiteral("spnHistorySize"));
    historySize_->setRange(1, 1000000);
    historySize_->setSuffix(QStringLiteral(" MB"));
    historySize_->setAccessibleName(tr("Size of the tape history"));
    historySize_->setToolTip(tr("Old tapes beyond this size are removed, oldest first."));
    taxRate_ = new QLineEdit(keptBox);
    taxRate_->setObjectName(QStringLiteral("txtTaxRate"));
    taxRate_->setAccessibleName(tr("Tax rate in percent"));
    taxRate_->setMaxLength(12);
    taxRate_->setFixedWidth(taxRate_->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    auto* historyLabel = new QLabel(tr("History:"), keptBox);
    historyLabel->setBuddy(historySize_);
    auto* taxLabel = new QLabel(tr("Tax %:"), keptBox);
    taxLabel->setBuddy(taxRate_);
    keptRow->addWidget(keep);
    keptRow->addStretch(1);
    keptRow->addWidget(historyLabel);
    keptRow->addWidget(historySize_);
    keptRow->addWidget(taxLabel);
    keptRow->addWidget(taxRate_);
    page->addWidget(keptBox);
    connect(historySize_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!filling_) form_.pending().historyMegabytes = v;
    });
    connect(taxRate_, &QLineEdit::textEdited, this,
            [this](const QString& t) { form_.pending().taxRate = t.toStdString(); });

    // ---- buttons -------------------------------------------------------------
    auto* buttons = new QHBoxLayout();
    auto makeButton = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        if (!tip.isEmpty()) b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    auto* publish = makeButton("cmdPublish", tr("&Publish To"), {});
    auto* ok = makeButton("comOK", tr("&OK"), QStringLiteral("Apply changes."));
    ok->setDefault(true);  // Enter applies, as in any dialog
    auto* save = makeButton("comSave", tr("&Save"), QStringLiteral("Save these settings as Default."));
    auto* cancel = makeButton("comCancel", tr("&Cancel"), QStringLiteral("Do not apply changes."));
    buttons->addWidget(publish);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    page->addLayout(buttons);

    // ---- wiring: every control goes to the form ----------------------------
    auto& p = form_.pending();
    connect(fonts_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!filling_) form_.chooseFont(t.toStdString());
    });
    connect(size_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!filling_) form_.chooseFontSize(t.toStdString());
    });
    connect(colour_, &QComboBox::activated, this, [this](int i) { form_.chooseColour(i); });
    connect(bold, &QCheckBox::clicked, this, [&p](bool on) { p.bold = on; });
    connect(italic, &QCheckBox::clicked, this, [&p](bool on) { p.italic = on; });
    connect(resetFonts, &QPushButton::clicked, this, [this] {
        form_.resetFont();
        afterAction();
    });
    connect(hide, &QCheckBox::clicked, this, [this](bool on) {
        form_.setTapeHidden(on);
        showPending();
    });
    connect(tapeSize_, &QSpinBox::valueChanged, this, [this](int v) {
        if (filling_) return;
        form_.setTapeSize(v);
        showPending();
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        form_.resetTapeSize();
        afterAction();
    });
    connect(decPlaces_, &QSpinBox::valueChanged, this, [this](int v) {
        if (filling_) return;
        form_.setDecimalPlaces(v);
        showPending();
    });
    auto onCheck = [this](const char* name, auto handler) {
        connect(check(name), &QCheckBox::clicked, this, [this, handler](bool on) {
            handler(on);
            showPending();
        });
    };
    onCheck("chkMinimized", [this](bool on) { form_.setStartMinimized(on); });
    onCheck("chkStartOnTop", [this](bool on) { form_.setStartOnTop(on); });
    onCheck("chkAddMach", [this](bool on) { form_.setAddingMachine(on); });
    onCheck("chkRPN", [this](bool on) { form_.setRpn(on); });
    onCheck("chkTlBr", [this](bool on) { form_.setHideToolbar(on); });
    onCheck("chkHideC", [this](bool on) { form_.setHideClear(on); });
    onCheck("chkCarryResult", [this](bool on) { form_.setCarryResult(on); });
    onCheck("chkCalcOnTop", [&p](bool on) { p.calcOnTop = on; });
    onCheck("chkSaveMem", [&p](bool on) { p.saveMem = on; });
    onCheck("chkKeepTape", [&p](bool on) { p.keepTape = on; });
    onCheck("chkExitButton", [&p](bool on) { p.exitMin = on; });
    onCheck("chkFinMode", [&p](bool on) { p.finMode = on; });
    onCheck("chkShowPercentage", [&p](bool on) { p.showPercentage = on; });
    onCheck("chkFormatNum", [&p](bool on) { p.formatNum = on; });
    onCheck("chkPercentByNumber", [&p](bool on) { p.percentForNum = on; });
    onCheck("chkAutoDec", [&p](bool on) { p.autoDec = on; });

    connect(publish, &QPushButton::clicked, this, [this] {
        form_.choosePublishProgram(chooseFile, programFolder_);
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (!yearsSettled()) return;
        form_.accept();
        afterAction();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        if (!yearsSettled()) return;
        form_.saveAsDefaults();
        afterAction();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        form_.cancel();
        afterAction();
    });
}

QCheckBox* PropertiesWindow::addCheck(const char* name, const QString& caption) {
    auto* c = new QCheckBox(caption, this);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QCheckBox* PropertiesWindow::check(const char* name) const {
    return findChild<QCheckBox*>(QString::fromLatin1(name));
}

QPushButton* PropertiesWindow::button(const char* name) const {
    return findChild<QPushButton*>(QString::fromLatin1(name));
}

void PropertiesWindow::load() {
    filling_ = true;
    // Every installed family, in the font system's order; the item data
    // tells fixed-pitch faces (best for the tape) from proportional ones.
    fonts_->clear();
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        fonts_->addItem(family, QFontDatabase::isFixedPitch(family) ? QStringLiteral("Fixed")
                                                                   : QStringLiteral("Proportional"));
    filling_ = false;
    form_.open();
    showPending();
}

void PropertiesWindow::showPending() {
    const bool was = filling_;
    filling_ = true;
    const PendingProperties& p = form_.pending();
    fonts_->setCurrentText(q(p.fontName));
    size_->setCurrentText(q(p.fontSize));
    colour_->setCurrentIndex(p.colourChosen ? p.colourIndex : -1);
    check("chkBold")->setChecked(p.bold);
    check("chkItalic")->setChecked(p.italic);
    tapeSize_->setValue(p.tapeSizePercent);
    sizeLabel_->setText(q(form_.sizeCaption()));
    // The spin box shows the percentage; the label only says when the tape
    // is hidden.
    sizeLabel_->setVisible(!sizeLabel_->text().endsWith(QLatin1Char('%')));
    check("chkHide")->setChecked(p.tapeHidden);
    decPlaces_->setValue(p.decimalPlaces);
    decLabel_->setText(QString::number(p.decimalPlaces));
    if (years_[0]->text() != q(p.firstYear)) years_[0]->setText(q(p.firstYear));
    if (years_[1]->text() != q(p.lastYear)) years_[1]->setText(q(p.lastYear));
    const std::pair<const char*, bool> checks[] = {
        {"chkMinimized", p.startMinimized}, {"chkStartOnTop", p.startOnTop},
        {"chkCalcOnTop", p.calcOnTop},      {"chkSaveMem", p.saveMem},
        {"chkExitButton", p.exitMin},       {"chkTlBr", p.hideToolbar},
        {"chkFinMode", p.finMode},          {"chkShowPercentage", p.showPercentage},
        {"chkFormatNum", p.formatNum},      {"chkPercentByNumber", p.percentForNum},
        {"chkAddMach", p.addMach},          {"chkRPN", p.rpn},
        {"chkAutoDec", p.autoDec},          {"chkCarryResult", p.carryResult},
        {"chkHideC", p.hideC},              {"chkKeepTape", p.keepTape},
    };
    historySize_->setValue(p.historyMegabytes);
    if (taxRate_->text() != q(p.taxRate)) taxRate_->setText(q(p.taxRate));
    for (const auto& [name, on] : checks) check(name)->setChecked(on);
    filling_ = was;
}

void PropertiesWindow::afterAction() {
    if (!form_.done()) {
        showPending();
        return;
    }
    QDialog::accept();
}

// Runs the leave rule of a year box; false when the box keeps the focus.
bool PropertiesWindow::leaveYear(int index) {
    if (checkingYear_) return true;
    checkingYear_ = true;
    auto& p = form_.pending();
    p.firstYear = years_[0]->text().toStdString();
    p.lastYear = years_[1]->text().toStdString();
    const YearCheck r = form_.txtYear_LostFocus(index, QDate::currentDate().year());
    showPending();
    checkingYear_ = false;
    if (!r.keepFocus) return true;
    QLineEdit* box = years_[static_cast<std::size_t>(index)];
    const bool select = r.selectText;
    QTimer::singleShot(0, box, [box, select] {
        box->setFocus(Qt::OtherFocusReason);
        if (select) box->selectAll();
    });
    return false;
}

// OK and Save first settle a year box that still has the focus (an
// accelerator key does not take it away), and refuse while a box is wrong.
bool PropertiesWindow::yearsSettled() {
    for (int i = 0; i < 2; ++i)
        if (years_[static_cast<std::size_t>(i)]->hasFocus() && !leaveYear(i)) return false;
    for (int i = 0; i < 2; ++i) {
        const long v = years_[static_cast<std::size_t>(i)]->text().toLong();
        if (v < 100 || v > 9999) return leaveYear(i);
    }
    return true;
}

bool PropertiesWindow::eventFilter(QObject* watched, QEvent* event) {
    const int index = watched == years_[0] ? 0 : watched == years_[1] ? 1 : -1;
    if (index < 0) return QDialog::eventFilter(watched, event);
    QLineEdit* box = years_[static_cast<std::size_t>(index)];
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                focusNextChild();
                return true;
            }
            if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab ||
                key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Delete)
                return false;
            const QString text = key->text();
            if (text.isEmpty()) return false;  // arrows, Home, End: not characters
            if (PropertiesForm::yearKeyAccepted(text.toStdString())) return false;
            form_.refuseKey();
            return true;
        }
        case QEvent::FocusIn:
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
            break;
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // A message box or menu taking the focus is not leaving the box.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
                leaveYear(index);
            break;
        }
        default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void PropertiesWindow::reject() {
    if (!form_.done()) form_.cancel();
    QDialog::reject();
}

}  // namespace zorv::shell
