#include "GuiSession.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <memory>

#include "app/CalculatorWindowControl.h"
#include "app/CommandWiring.h"
#include "app/ConverterWiring.h"
#include "app/Translations.h"
#include "convert/ConverterWindows.h"
#include "app/WindowFeatures.h"
#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "expr/BuilderWindow.h"
#include "expr/ExpressionLauncher.h"
#include "finance/FinanceCommands.h"
#include "finance/NumInputDialog.h"
#include "notes/CalendarWiring.h"
#include "app/JournalSettings.h"
#include "journal/JournalWindow.h"
#include "journal/TapeJournal.h"
#include "platform/QtFeedback.h"
#include "shell/DataBackup.h"
#include "shell/ErrorReporter.h"
#include "shell/PropertiesWindow.h"
#include "shell/IniFileBackend.h"
#include "shell/SettingsFile.h"
#include "shell/SingleInstance.h"
#include "shell/StartupSequence.h"
#include "shell/StartupSettings.h"
#include "shell/ToolbarButtons.h"
#include "timedate/TimeDateInstall.h"
#include "ui/main/ApplicationIcon.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/MainWindowCommands.h"
#include "ui/main/ShowLabelWindow.h"
#include "ui/main/ToolbarController.h"
#include "ui/main/TrayController.h"

namespace zorv::app {

using engine::CommandId;

namespace {

// Runs `work` once, after the window's first paint (or shortly after the
// start when the window starts minimized and paints nothing), so that what
// can wait does not delay the first sight of the calculator.
void afterFirstPaint(QWidget& window, std::function<void()> work) {
    struct Once : QObject {
        std::function<void()> work;
        void run() {
            if (!work) return;
            auto w = std::move(work);
            work = nullptr;
            w();
            deleteLater();
        }
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && work) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, this, [this] { run(); });
            }
            return false;
        }
    };
    auto* once = new Once;
    once->setParent(&window);
    once->work = std::move(work);
    window.installEventFilter(once);
    QTimer::singleShot(1000, once, [once] { once->run(); });
}

}  // namespace

int runGui(QApplication& app, const GuiOptions& options) {
    QApplication::setApplicationName(QStringLiteral("Zorv Advanced Calculator"));
    // Menus, windows and messages in the user's language (batch mode stays English).
    installTranslations(app, QLocale::system());
    // One icon for every window and dialog; the desktop file name lets the
    // desktop match the windows to the installed menu entry. The built-in
    // copy for the first paint; the theme's, if it has one, after it.
    QApplication::setWindowIcon(ui::builtInApplicationIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ui::kApplicationId));

    platform::QtFeedback feedback;
    shell::SingleInstance instance;
    if (!shell::checkSingleCopy(instance, options.commandLine, feedback)) return 0;

    auto settingsFile =
        std::make_unique<shell::IniFileBackend>(options.settingsFile.value_or(shell::userSettingsFile()));
    shell::IniFileBackend& settings = *settingsFile;
    settings.setProblemReporter([&feedback](const std::string& message) {
        feedback.showMessage(message, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
    });
    // A change is saved once the event that made it is handled, not only at
    // the end: a crash later loses nothing already chosen.
    auto saveQueued = std::make_shared<bool>(false);
    settings.changed = [&settings, saveQueued] {
        if (*saveQueued) return;
        *saveQueued = true;
        QTimer::singleShot(0, [&settings, saveQueued] {
            *saveQueued = false;
            settings.sync();
        });
    };
    shell::SettingsStore store(std::move(settingsFile));

    // Locale symbols from the store's "Intl" section when it has them, else
    // from the user's locale.
    const std::string dataFolder = options.dataDir.value_or(shell::defaultDataFolder());
    engine::atomicfile::removeStaleTemporaries(dataFolder);
    shell::ErrorReporter errors(feedback, shell::debugLogPath(dataFolder));
    std::vector<std::string> rejected;
    engine::CalculatorModel model(
        feedback, shell::readLocaleSymbols(store, shell::systemLocaleSymbols(), &rejected));
    for (const auto& line : rejected) errors.logNote("Settings [Intl]", line);
    errors.install(model);

    CommandContext context{model, store, options.dataDir.value_or(std::string()), programClock(options.now)};
    auto wiring = wireBatchCommands(context);

    ui::CalculatorWindow window(model, &wiring->conversions);
    feedback.parent = &window;
    feedback.windowVisible = [&window] { return window.isVisible(); };
    feedback.focusEquals = [&window] { window.focusTotalKey(); };

    model.commands().add(CommandId::Exit, [&window] { window.close(); });
    model.commands().add(CommandId::Minimize, [&window] { window.showMinimized(); });
    auto features = wireWindowFeatures(window, model, store, *wiring, options.commandLine);
    // Printing, editing and hiding the tape, the RPN stack window, help and
    // About. Made after the window features, whose menu refresh it extends.
    ui::MainWindowCommands windowCommands(window, model, wiring->tape.get(), wiring->rpn.get());
    timedate::installTimeDateWindow(model, *wiring->timeDate, window);

    CalculatorWindowControl control(window);
    ui::ToolbarController& toolbar = features->toolbar();
    control.toolbarHide = [&toolbar](bool hidden) { toolbar.setToolbarVisible(!hidden); };
    control.toolbarIsHidden = [&toolbar] { return !toolbar.toolbarVisible(); };
    ui::TrayController& tray = features->tray();
    control.showLabel = [&tray]() -> QWidget* { return tray.calcShow(); };
    errors.beforeEnd.push_back([&tray] {
        if (QSystemTrayIcon* icon = tray.trayIcon()) icon->hide();
    });
    shell::ToolbarButtons& buttons = *wiring->toolbar;
    control.toolbarButton = [&buttons](int i, const std::string& caption, const std::string& tip) {
        // The wiring has already put the stored bindings on the buttons;
        // redrawing an unchanged button would only slow the start.
        const auto& b = buttons.button(i);
        if (b.caption != caption || b.toolTip != tip) buttons.apply(i, caption, tip);
    };
    errors.restoreCursor = [] {
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    };
    errors.beforeEnd.push_back([&store] { store.backend().sync(); });

    shell::ShellState state;
    shell::registerShellCommands(model, store, state, &control);

    // The guided calculations ask through the numeric input window, and the
    // expression builder works on the readout with its formula file.
    finance::NumInputDialog numInput(model, &window);
    wiring->numericInput.routeTo(&numInput);
    model.commands().add(
        CommandId::DontHideEvaluator,
        [&state, &store] {
            state.mnuDontHideEval = !state.mnuDontHideEval;
            store.WriteSetting("Startup", "Dont hide Eval", state.mnuDontHideEval ? "True" : "False");
        },
        [&state] { return state.mnuDontHideEval; });
    expr::ExpressionDialog::Options exprOptions;
    exprOptions.dataDir = dataFolder;
    exprOptions.readConfirm = [&store] { return store.ReadSetting("Startup", "Confirm Expression", "0"); };
    exprOptions.writeConfirm = [&store](std::string v) {
        store.WriteSetting("Startup", "Confirm Expression", v);
    };
    exprOptions.dontHideEval = [&state] { return state.mnuDontHideEval; };
    expr::installExpressionEvaluator(model, &window, feedback, exprOptions, wiring->expression);
    expr::installBuilderWindow(model, &window, feedback, {dataFolder, &window}, makeBuilderSession(model, store));
    convert::installConverterWindows(model, &window, converterSettings(context));
    auto calendarWindows = notes::installCalendarWindows(
        model, store, *wiring->calendar, dataFolder,
        {&window, [&tray] { return tray.trayIcon(); }, [&window] { return window.tapeSelection(); }});
    model.commands().add(CommandId::ProgramProperties, [&] {
        try {
            shell::PropertiesForm form(model, store, state, control);
            shell::PropertiesWindow properties(form, dataFolder, &window);
            properties.load();
            properties.exec();
        } catch (const std::exception& e) {
            model.reportError("Calculator [mnuProperties_Click] ", shell::errorNumberOf(e), e.what(),
                              std::string(engine::kProductName));
        }
        window.refreshActions();
    });
    window.refreshActions();

    journal::TapeJournal* tapeJournal =
        journal::installTapeJournal(model, {dataFolder, journalSettings(store), &window,
                                            [&window] { return window.tapeCursorLine(); }});

    // Start-up sizes the window to its contents once the tape font and
    // size are set, before placing it.
    shell::StartupContext startup{model, store, state, control};
    if (shell::runStartup(startup) == shell::StartupResult::Refused) return 1;
    window.refreshActions();
    window.show();
    afterFirstPaint(window, [&startup, tapeJournal] {
        tapeJournal->compact();
        if (ui::themeHasApplicationIcon()) QApplication::setWindowIcon(ui::applicationIcon());
        shell::runDeferredStartup(startup, QSystemTrayIcon::isSystemTrayAvailable());
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] {
        shell::writeShutdownSettings(store, model, dataFolder);
    });
    const int status = app.exec();
    // For scripts that drive the window from outside (the typed-keys check
    // under Xvfb): the tape as held, written when the window has closed.
    if (const QByteArray path = qgetenv("ZORV_TAPE_ON_EXIT"); !path.isEmpty()) {
        engine::atomicfile::write(path.toStdString(), model.tape().text() + "readout: " + model.readout() + "\n");
    }
    return status;
}

}  // namespace zorv::app
