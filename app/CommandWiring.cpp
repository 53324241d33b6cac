#include "CommandWiring.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <cstdlib>

#include "app/ConverterWiring.h"
#include "convert/ConversionCommands.h"
#include "convert/QuickConversions.h"
#include "engine/CalculatorModel.h"
#include "engine/ModeCommands.h"
#include "engine/RpnStack.h"
#include "engine/ScientificFunctions.h"
#include "engine/TapeCommands.h"
#include "finance/FeedbackNumericInput.h"
#include "finance/FinanceCommands.h"
#include "app/JournalSettings.h"
#include "expr/BuilderSession.h"
#include "expr/ExpressionSession.h"
#include "notes/CalendarWiring.h"
#include "engine/TextUtil.h"
#include "engine/ToolbarCatalogue.h"
#include "shell/DataBackup.h"
#include "shell/SettingsKeys.h"
#include "shell/SettingsStore.h"
#include "shell/ToolbarButtons.h"
#include "timedate/TimeDateInstall.h"

namespace zorv::app {

namespace {

// Square and root, the Sci menu, the RPN stack and the tape commands.
// Without a window, file names are asked for as text, the RPN stack is
// shown in a message and a published tape is handed to the "Publish To"
// program when one is set.
void wireCalculatorFunctions(CommandWiring& wiring, CommandContext& context, engine::Front front) {
    engine::CalculatorModel& model = context.model;
    const bool batch = front == engine::Front::Batch;
    wiring.scientific = std::make_unique<engine::ScientificFunctions>(model);
    engine::registerScientificCommands(model, *wiring.scientific);
    wiring.rpn = std::make_unique<engine::RpnStack>(model);
    if (batch) engine::registerRpnCommands(model, *wiring.rpn);

    wiring.tape = std::make_unique<engine::TapeCommands>(model);
    shell::SettingsStore& store = context.settings;
    const std::string folder = context.dataDir.empty() ? shell::defaultDataFolder() : context.dataDir;
    wiring.tape->publishSettings = [&store, folder] {
        return engine::TapeCommands::PublishSettings{
            folder, shell::readText(store, shell::key::PublishTo), shell::readText(store, shell::key::PublishType)};
    };
    if (batch)
        wiring.tape->openPublished = [](const std::string& file,
                                        const std::string& program) -> std::optional<std::string> {
            if (program.empty()) return std::nullopt;
            // The file goes to the program as its one argument; no shell sees it.
            if (!QProcess::startDetached(QString::fromStdString(program),
                                         {QString::fromStdString(file)}))
                return std::string("The program could not be started.");
            return std::nullopt;
        };
    engine::registerTapeCommands(model, *wiring.tape);
}

// Toolbar buttons, the commands a button may run, and backup and restore.
// Without a window the folder for backup and restore is asked for as text.
void wireToolbarAndBackup(CommandWiring& wiring, CommandContext& context) {
    engine::CalculatorModel& model = context.model;
    engine::offerToolbarCatalogue(model.commands(), model.feedback());
    wiring.toolbar = std::make_unique<shell::ToolbarButtons>(model.commands(), model.feedback(), context.settings);
    wiring.toolbar->load();
    shell::ToolbarButtons& toolbar = *wiring.toolbar;
    model.pressToolbarButton = [&toolbar](int index) { toolbar.press(index); };
    model.commands().addWithArgument(engine::CommandId::ToolbarButton, [&model, &toolbar](std::string_view argument) {
        const std::string n = engine::text::trim(argument);
        if (n.size() != 1 || n[0] < '1' || n[0] > '9') {
            model.feedback().beep();
            return;
        }
        toolbar.press(n[0] - '1');
    });

    const std::string folder = context.dataDir.empty() ? shell::defaultDataFolder() : context.dataDir;
    wiring.backup = std::make_unique<shell::DataBackup>(
        model.feedback(), folder, [&model](const std::string& title) {
            return model.feedback().askText(title, std::string(engine::kProductName), "").value_or("");
        });
    shell::DataBackup& backup = *wiring.backup;
    model.commands().add(engine::CommandId::BackupData, [&backup] { backup.backup(); });
    model.commands().add(engine::CommandId::RestoreData, [&backup] { backup.restore(); });
}

}  // namespace

std::shared_ptr<expr::BuilderSession> makeBuilderSession(engine::CalculatorModel& model,
                                                         shell::SettingsStore& store) {
    return std::make_shared<expr::BuilderSession>(
        model,
        [&store](std::string_view key, std::string_view fallback) {
            return store.ReadSetting(shell::kStartupSection, std::string(key), std::string(fallback));
        },
        [&store](std::string_view key, std::string_view value) {
            store.WriteSetting(shell::kStartupSection, std::string(key), std::string(value));
        });
}

timedate::Clock programClock(const std::optional<std::string>& now) {
    std::optional<std::string> text = now;
    if (!text) {
        if (const char* env = std::getenv("ZORV_NOW"); env && *env) text = std::string(env);
    }
    if (!text) return timedate::systemNow;
    const timedate::Instant fixed = timedate::parseLocalIsoInstant(*text);
    return [fixed] { return fixed; };
}

std::unique_ptr<CommandWiring> wireCommands(CommandContext& context, engine::Front front) {
    const bool batch = front == engine::Front::Batch;
    auto wiring = std::make_unique<CommandWiring>(context.model);
    shell::SettingsStore& store = context.settings;
    auto writeStartup = [&store](const std::string& key, const std::string& value) {
        store.WriteSetting(shell::kStartupSection, key, value);
    };
    engine::registerModeCommands(context.model, writeStartup);
    convert::registerConversionCommands(context.model, wiring->conversions, writeStartup);
    if (batch) convert::registerConverterCommands(context.model, converterSettings(context));
    finance::registerFinanceCommands(context.model, wiring->numericInput);
    // {Eval TEXT} and {Var X=4}; the evaluator window works on the same
    // session, so its variable boxes follow {Var}.
    wiring->expression = expr::registerExpressionCommands(
        context.model, shell::readNumber(store, shell::key::ConfirmExpression) != 0);
    if (batch) expr::registerConstructionCommands(context.model, makeBuilderSession(context.model, store));
    wireToolbarAndBackup(*wiring, context);
    wireCalculatorFunctions(*wiring, context, front);
    wiring->calendar = notes::wireCalendarCommands(context.model, store, context.dataDir, context.clock, front);
    wiring->timeDate =
        timedate::installTimeDateCommands(context.model, store, context.dataDir, context.clock, front);
    journal::registerJournalCommands(context.model, journalSettings(store),
                                     context.dataDir.empty() ? shell::defaultDataFolder() : context.dataDir, front);
    return wiring;
}

}  // namespace zorv::app
