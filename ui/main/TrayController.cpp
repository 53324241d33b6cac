#include "TrayController.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "engine/CalculatorModel.h"
#include "shell/SettingsKeys.h"
#include "shell/SettingsStore.h"
#include "ui/main/ApplicationIcon.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/ShowLabelWindow.h"

namespace zorv::ui {

const char* const TrayController::kNoTrayText =
    "This desktop has no notification area, so the calculator cannot be put in the tray.";
const char* const TrayController::kTrayToolTip = "Launch Zorv Advanced Calculator";

namespace {

using engine::CommandId;

}  // namespace

TrayController::TrayController(CalculatorWindow& window, engine::CalculatorModel& model,
                               shell::SettingsStore& store, QObject* parent)
    : QObject(parent), window_(window), model_(model), store_(store) {
    trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    buildPopup();
    auto& commands = model_.commands();
    commands.add(CommandId::ShowInTray, [this] { showInTray(); }, [this] { return trayMode(); });
    commands.add(CommandId::StayOnTop, [this] { stayOnTop(); }, [this] { return labelMode(); });
    commands.add(CommandId::HideMainWindow, [this] { hideMainWindow(); });
    connect(&window_, &CalculatorWindow::actionsRefreshed, this, [this] {
        if (QAction* a = window_.existingAction(CommandId::HideMainWindow)) a->setEnabled(trayMode() || labelMode());
    });
    window_.refreshActions();
}

TrayController::~TrayController() {
    label_.reset();
    trayIcon_.reset();
}

void TrayController::buildPopup() {
    popup_ = std::make_unique<QMenu>();
    popup_->setObjectName(QStringLiteral("mnuPopup"));
    auto add = [this](const char* name, const QString& caption, std::function<void()> action) {
        QAction* a = popup_->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, std::move(action));
    };
    // Items that open a window of the calculator run its catalogue command,
    // exactly as the main menu does.
    auto command = [this](CommandId id) {
        return [this, id] {
            if (blockedByModal()) return;
            model_.runCommand(id);
            window_.refreshActions();
        };
    };
    add("mnuShow", tr("&Show Calculator"), [this] { showCalculator(); });
    add("mnuHide", tr("&Hide Calculator"), [this] { hideCalculator(); });
    add("mnuRemove", tr("&Remove from Tray"), [this] { removeFromTray(); });
    popup_->addSeparator();
    add("mnuBaseConvert", tr("&Base Conversions"), command(CommandId::BaseConversions));
    add("mnuConstruction", tr("C&onstruction Calculator (ft/in)"),
        command(CommandId::ConstructionCalculator));
    add("mnuCurrencyConvert", tr("C&urrency Conversions"), command(CommandId::CurrencyConversions));
    add("mnuExprEval", tr("&Expression Evaluator"), command(CommandId::ExpressionEvaluator));
    add("mnuProjectTimer", tr("Project Timer"), command(CommandId::ProjectTimer));
    add("mnuScratchPad", tr("Scratch &Pad"), command(CommandId::ScratchPad));
    add("mnuSetAlarms", tr("Set A&larms"), command(CommandId::SetAlarms));
    add("mnuShowCalendar", tr("Sho&w Calendar"), command(CommandId::ShowCalendar));
    add("mnuTimeDateCalc", tr("&Time/Date Calculations"), command(CommandId::TimeDateCalculations));
    popup_->addSeparator();
    add("mnuCancel", tr("&Cancel Menu"), [] {});
    add("mnuExit", tr("E&xit Calculator"), [this] { exitCalculator(); });
}

bool TrayController::blockedByModal() {
    if (!QApplication::activeModalWidget()) return false;
    model_.feedback().beep();
    return true;
}

void TrayController::refreshMenus() { window_.refreshActions(); }

void TrayController::addTray() {
    trayIcon_ = std::make_unique<QSystemTrayIcon>();
    trayIcon_->setObjectName(QStringLiteral("frmTrayIcon"));
    const QIcon windowIcon = window_.windowIcon();
    trayIcon_->setIcon(windowIcon.isNull() ? applicationIcon() : windowIcon);
    trayIcon_->setToolTip(QString::fromLatin1(kTrayToolTip));
    trayIcon_->setContextMenu(popup_.get());
    connect(trayIcon_.get(), &QSystemTrayIcon::activated, this, &TrayController::trayActivated);
    trayIcon_->show();
}

void TrayController::removeTray() {
    if (!trayIcon_) return;
    trayIcon_->hide();
    trayIcon_->setContextMenu(nullptr);
    trayIcon_.reset();
}

void TrayController::closeLabel() {
    if (!label_) return;
    label_->hide();
    label_.reset();
}

void TrayController::showInTray() {
    if (!trayMode() && !trayAvailable()) {
        // Refused before anything changes, so the label (if shown) stays the
        // way back to the calculator.
        model_.feedback().showMessage(kNoTrayText, std::string(engine::kProductName),
                                      engine::MessageIcon::Information);
        return;
    }
    closeLabel();
    if (trayMode())
        removeTray();
    else
        addTray();
    refreshMenus();
}

void TrayController::stayOnTop() {
    if (trayMode()) showInTray();
    if (model_.commands().checked(CommandId::CalcOnTop).value_or(false)) model_.runCommand(CommandId::CalcOnTop);
    if (!labelMode()) {
        label_ = std::make_unique<ShowLabelWindow>(window_);
        label_->show();
        label_->raise();
    } else {
        closeLabel();
        if (trayAvailable()) {
            showInTray();
        } else if (!window_.isVisible()) {
            // With no tray to fall back on, the calculator itself comes back.
            window_.showNormal();
            window_.raise();
            window_.activateWindow();
        }
    }
    refreshMenus();
}

void TrayController::hideMainWindow() {
    if (labelMode())
        label_->lblShow_DblClick();
    else if (trayMode())
        window_.hide();
    else
        model_.feedback().beep();
}

void TrayController::showCalculator(bool atStoredPlace) {
    if (atStoredPlace) {
        QRect area(0, 0, 1024, 768);
        if (QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        const QSize size = window_.frameGeometry().size();
        const double top = shell::readOptionalNumber(store_, shell::key::CalcTop)
                               .value_or(area.top() + (area.height() - size.height()) / 2.0);
        const double left = shell::readOptionalNumber(store_, shell::key::CalcLeft)
                                .value_or(area.left() + (area.width() - size.width()) / 2.0);
        // A stored place off the screen (another monitor, a changed
        // resolution) would lose the window: keep it inside.
        const int x = std::clamp(static_cast<int>(left), area.left(),
                                 std::max(area.left(), area.right() - size.width()));
        const int y = std::clamp(static_cast<int>(top), area.top(),
                                 std::max(area.top(), area.bottom() - size.height()));
        window_.move(x, y);
    }
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
    window_.focusTotalKey();
}

void TrayController::trayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) return;
    if (blockedByModal()) return;
    showCalculator(reason == QSystemTrayIcon::Trigger);
}

void TrayController::showCalculator() {
    if (blockedByModal()) return;
    if (!window_.isVisible()) showCalculator(false);
}

void TrayController::hideCalculator() {
    if (blockedByModal()) return;
    window_.hide();
}

void TrayController::removeFromTray() {
    if (blockedByModal()) return;
    removeTray();
    window_.showNormal();
    window_.raise();
    refreshMenus();
}

void TrayController::exitCalculator() {
    if (blockedByModal()) return;
    // The ordinary exit, so what is kept at exit (the memory register, the
    // program folder) is written as when the calculator is closed. Closing a
    // hidden window would not end the program, so the calculator is shown
    // first; if closing is refused it simply stays up, tray icon and all.
    if (!window_.isVisible()) window_.showNormal();
    model_.runCommand(CommandId::Exit);
    if (!window_.isVisible()) removeTray();
}

}  // namespace zorv::ui
