#include "GuiSession.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <memory>

#include "app/CommandWiring.h"
#include "app/WindowFeatures.h"
#include "engine/CalculatorModel.h"
#include "platform/QtFeedback.h"
#include "shell/QSettingsBackend.h"
#include "shell/StartupSettings.h"
#include "ui/main/CalculatorWindow.h"

namespace zorv::app {

int runGui(QApplication& app, const GuiOptions& options) {
    QApplication::setApplicationName(QStringLiteral("Zorv Advanced Calculator"));

    std::unique_ptr<shell::SettingsBackend> backend;
    if (options.settingsFile)
        backend = std::make_unique<shell::QSettingsBackend>(QString::fromStdString(*options.settingsFile));
    else
        backend = std::make_unique<shell::QSettingsBackend>();
    shell::SettingsStore store(std::move(backend));

    platform::QtFeedback feedback;
    engine::CalculatorModel model(feedback, shell::readLocaleSymbols(store));
    shell::applyModeSettings(store, model.modes());

    CommandContext context{model, store, options.dataDir.value_or(std::string())};
    auto wiring = wireBatchCommands(context);

    ui::CalculatorWindow window(model, conversionsOf(*wiring));
    feedback.parent = &window;
    feedback.windowVisible = [&window] { return window.isVisible(); };
    feedback.focusEquals = [&window] { window.Operator(engine::OpEquals)->setFocus(); };

    model.commands().add("Exit", [&window] { window.close(); });
    model.commands().add("Exit Button", [&window] { window.close(); });
    model.commands().add("Minimize", [&window] { window.showMinimized(); });
    model.commands().add("Copy Readout", [&model] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(model.readout()));
    });
    model.commands().add("Paste Readout", [&model] {
        // A pasted number counts as keyed: it is cleaned like any input, and
        // text that is not a number gives the usual message.
        const std::string text = QGuiApplication::clipboard()->text().toStdString();
        const std::string purged = model.PurgeNumericInput(text);
        if (purged.empty() || model.InputCancelled) return;
        model.setEntryState(engine::entry::Nums);
        model.setReadout(purged);
        model.NormalizeReadout();
    });
    auto features = wireWindowFeatures(window, model, store, *wiring, options.commandLine);
    window.refreshActions();

    window.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        window.move(avail.center() - window.rect().center());
    }
    window.show();
    const int status = app.exec();
    // For scripts that drive the window from outside (the typed-keys check
    // under Xvfb): the tape as held, written when the window has closed.
    if (const QByteArray path = qgetenv("ZORV_TAPE_ON_EXIT"); !path.isEmpty()) {
        QFile f(QString::fromLocal8Bit(path));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(QByteArray::fromStdString(model.tape().text() + "readout: " + model.readout() + "\n"));
    }
    return status;
}

}  // namespace zorv::app
