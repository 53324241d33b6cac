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
#include "notes/AlarmTimer.h"
#include "notes/CalendarWiring.h"
#include "app/JournalSettings.h"
#include "journal/JournalWindow.h"
#include "journal/TapeJournal.h"
#include "platform/QtFeedback.h"
#include "platform/StartupWarmup.h"
#include "shell/DataBackup.h"
#include "shell/ErrorReporter.h"
#include "shell/PropertiesWindow.h"
#include "shell/SettingsKeys.h"
#include "shell/IniFileBackend.h"
#include "shell/SettingsFile.h"
#include "shell/SingleInstance.h"
#include "shell/StartupSequence.h"
#include "shell/StartupSettings.h"
#include "shell/ToolbarButtons.h"
#include "timedate/TimeDateInstall.h"
#include "ui/main/ApplicationIcon.h"
#include "ui/main/ApplicationStyle.h"
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
// can wait does not delay the first sight of the calculator. The work waits
// a moment beyond the paint: the painted picture goes to the display server
// only when the event loop next falls idle, and work queued at once would
// run before that.
void afterFirstPaint(QWidget& window, std::function<void()> work) {
    static constexpr int kAfterPaintMs = 30;
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
                QTimer::singleShot(kAfterPaintMs, this, [this] { run(); });
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

// The data folder, with what an interrupted save left behind removed.
std::string preparedDataFolder(const GuiOptions& options) {
    std::string folder = options.dataDir.value_or(shell::defaultDataFolder());
    engine::atomicfile::removeStaleTemporaries(folder);
    return folder;
}

}  // namespace

// Everything the window's session holds, in the order it is made (and so
// unmade in reverse): members refer only to members above them.
struct GuiComposition::Parts {
    explicit Parts(const GuiOptions& options);

    platform::QtFeedback feedback;
    // A change is saved once the event that made it is handled, not only at
    // the end: a crash later loses nothing already chosen.
    std::shared_ptr<bool> saveQueued = std::make_shared<bool>(false);
    shell::SettingsStore store;
    std::string dataFolder;
    shell::ErrorReporter errors;
    std::unique_ptr<engine::CalculatorModel> model;
    std::unique_ptr<CommandContext> context;
    std::unique_ptr<CommandWiring> wiring;
    std::unique_ptr<ui::CalculatorWindow> window;
    std::unique_ptr<WindowFeatures> features;
    std::unique_ptr<ui::MainWindowCommands> windowCommands;
    std::unique_ptr<CalculatorWindowControl> control;
    shell::ShellState state;
    std::unique_ptr<finance::NumInputDialog> numInput;
    std::unique_ptr<notes::CalendarWindows> calendarWindows;
    std::unique_ptr<shell::StartupContext> startup;
    // Owned by the window; its file is compacted after the first paint.
    journal::TapeJournal* tapeJournal = nullptr;

private:
    std::unique_ptr<shell::SettingsBackend> settingsFile(const GuiOptions& options);
    void wireWindow(const GuiOptions& options);
};

std::unique_ptr<shell::SettingsBackend> GuiComposition::Parts::settingsFile(const GuiOptions& options) {
    auto file = std::make_unique<shell::IniFileBackend>(options.settingsFile.value_or(shell::userSettingsFile()));
    shell::IniFileBackend& settings = *file;
    settings.setProblemReporter([this](const std::string& message) {
        feedback.showMessage(message, std::string(engine::kProductName), engine::MessageIcon::Exclamation);
    });
    settings.changed = [&settings, queued = saveQueued] {
        if (*queued) return;
        *queued = true;
        QTimer::singleShot(0, [&settings, queued] {
            *queued = false;
            settings.sync();
        });
    };
    return file;
}

GuiComposition::Parts::Parts(const GuiOptions& options)
    : store(settingsFile(options)),
      dataFolder(preparedDataFolder(options)),
      errors(feedback, shell::debugLogPath(dataFolder)) {
    // Locale symbols from the store's "Intl" section when it has them, else
    // from the user's locale.
    std::vector<std::string> rejected;
    model = std::make_unique<engine::CalculatorModel>(
        feedback, shell::readLocaleSymbols(store, shell::systemLocaleSymbols(), &rejected));
    for (const auto& line : rejected) errors.logNote("Settings [Intl]", line);
    errors.install(*model);

    context = std::make_unique<CommandContext>(
        CommandContext{*model, store, options.dataDir.value_or(std::string()), programClock(options.now)});
    wiring = wireCommands(*context, engine::Front::Window);
    wireWindow(options);
}

void GuiComposition::Parts::wireWindow(const GuiOptions& options) {
    engine::CalculatorModel& model = *this->model;
    window = std::make_unique<ui::CalculatorWindow>(model, &wiring->conversions);
    ui::CalculatorWindow& window = *this->window;
    feedback.parent = &window;
    feedback.windowVisible = [&window] { return window.isVisible(); };
    feedback.focusEquals = [&window] { window.focusTotalKey(); };

    model.commands().add(CommandId::Exit, [&window] { window.close(); });
    model.commands().add(CommandId::Minimize, [&window] { window.showMinimized(); });
    features = wireWindowFeatures(window, model, store, *wiring, options.commandLine);
    // Printing, editing and hiding the tape, the RPN stack window, help and
    // About.
    windowCommands = std::make_unique<ui::MainWindowCommands>(window, model, wiring->tape.get(), wiring->rpn.get());
    timedate::installTimeDateWindow(model, *wiring->timeDate, window);

    control = std::make_unique<CalculatorWindowControl>(window);
    ui::ToolbarController& toolbar = features->toolbar();
    control->toolbarHide = [&toolbar](bool hidden) { toolbar.setToolbarVisible(!hidden); };
    control->toolbarIsHidden = [&toolbar] { return !toolbar.toolbarVisible(); };
    ui::TrayController& tray = features->tray();
    control->showLabel = [&tray]() -> QWidget* { return tray.calcShow(); };
    errors.beforeEnd.push_back([&tray] {
        if (QSystemTrayIcon* icon = tray.trayIcon()) icon->hide();
    });
    shell::ToolbarButtons& buttons = *wiring->toolbar;
    control->toolbarButton = [&buttons](int i, const std::string& caption, const std::string& tip) {
        // The wiring has already put the stored bindings on the buttons;
        // redrawing an unchanged button would only slow the start.
        const auto& b = buttons.button(i);
        if (b.caption != caption || b.toolTip != tip) buttons.apply(i, caption, tip);
    };
    errors.restoreCursor = [] {
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    };
    errors.beforeEnd.push_back([this] { store.backend().sync(); });

    shell::registerShellCommands(model, store, state, control.get());

    // The guided calculations ask through the numeric input window, and the
    // expression builder works on the readout with its formula file.
    numInput = std::make_unique<finance::NumInputDialog>(model, &window);
    wiring->numericInput.routeTo(numInput.get());
    model.commands().add(
        CommandId::DontHideEvaluator,
        [this] {
            state.mnuDontHideEval = !state.mnuDontHideEval;
            shell::writeFlag(store, shell::key::DontHideEval, state.mnuDontHideEval);
        },
        [this] { return state.mnuDontHideEval; });
    expr::ExpressionDialog::Options exprOptions;
    exprOptions.dataDir = dataFolder;
    exprOptions.readConfirm = [this] { return shell::readText(store, shell::key::ConfirmExpression); };
    exprOptions.writeConfirm = [this](std::string v) { shell::writeText(store, shell::key::ConfirmExpression, v); };
    exprOptions.dontHideEval = [this] { return state.mnuDontHideEval; };
    expr::installExpressionEvaluator(model, &window, feedback, exprOptions, wiring->expression);
    expr::installBuilderWindow(model, &window, feedback, {dataFolder, &window}, makeBuilderSession(model, store));
    convert::installConverterWindows(model, &window, converterSettings(*context));
    calendarWindows = notes::installCalendarWindows(
        model, store, *wiring->calendar, dataFolder,
        {&window, [&tray] { return tray.trayIcon(); }, [&window] { return window.tapeSelection(); }});
    model.commands().add(CommandId::ProgramProperties, [this, &model, &window] {
        try {
            shell::PropertiesForm form(model, store, state, *control);
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

    tapeJournal = journal::installTapeJournal(model, {dataFolder, journalSettings(store), &window,
                                                      [&window] { return window.tapeCursorLine(); }});
    startup = std::make_unique<shell::StartupContext>(shell::StartupContext{model, store, state, *control});
}

GuiComposition::GuiComposition(const GuiOptions& options) : parts_(std::make_unique<Parts>(options)) {}

GuiComposition::~GuiComposition() = default;

engine::CalculatorModel& GuiComposition::model() { return *parts_->model; }

ui::CalculatorWindow& GuiComposition::window() { return *parts_->window; }

bool GuiComposition::start() {
    Parts& p = *parts_;
    // Start-up sizes the window to its contents once the tape font and
    // size are set, before placing it.
    if (shell::runStartup(*p.startup) == shell::StartupResult::Refused) return false;
    p.window->refreshActions();
    p.window->show();
    shell::StartupContext* startup = p.startup.get();
    afterFirstPaint(*p.window, [startup, journal = p.tapeJournal, calendar = p.calendarWindows.get()] {
        journal->compact();
        // One icon for every window and dialog: the theme's if it has one,
        // else the built-in copy. The window manager takes it from the
        // shown window as well as from one about to be shown.
        QApplication::setWindowIcon(ui::applicationIcon());
        shell::runDeferredStartup(*startup, QSystemTrayIcon::isSystemTrayAvailable());
        // Alarms missed while the program was not running are listed once
        // the calculator is on the screen.
        calendar->timer().start();
    });
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, p.window.get(), [&p] {
        shell::writeShutdownSettings(p.store, *p.model, p.dataFolder);
    });
    return true;
}

int runGui(QApplication& app, const GuiOptions& options) {
    QApplication::setApplicationName(QStringLiteral("Zorv Advanced Calculator"));
    ui::installApplicationStyle();
    // Menus, windows and messages in the user's language (batch mode stays English).
    installTranslations(app, QLocale::system());
    // The desktop file name lets the desktop match the windows to the
    // installed menu entry (the icon is set after the first paint).
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ui::kApplicationId));

    // Connecting to the session bus, which the first widget's text asks
    // for, goes on beside the single-copy check and the window's building.
    platform::SessionBusWarmup bus;

    shell::SingleInstance instance;
    {
        platform::QtFeedback feedback;
        if (!shell::checkSingleCopy(instance, options.commandLine, feedback)) return 0;
    }

    GuiComposition session(options);
    if (!session.start()) return 1;
    const int status = app.exec();
    // For scripts that drive the window from outside (the typed-keys check
    // under Xvfb): the tape as held, written when the window has closed.
    if (const QByteArray path = qgetenv("ZORV_TAPE_ON_EXIT"); !path.isEmpty()) {
        engine::CalculatorModel& model = session.model();
        engine::atomicfile::write(path.toStdString(), model.tape().text() + "readout: " + model.readout() + "\n");
    }
    return status;
}

}  // namespace zorv::app
