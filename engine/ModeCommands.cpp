#include "ModeCommands.h"

#include "ModeTable.h"

namespace zorv::engine {

void registerModeCommands(CalculatorModel& model,
                          std::function<void(const std::string&, const std::string&)> writeSetting) {
    auto& c = model.commands();
    Modes& m = model.modes();
    for (const ModeSpec& row : modeTable()) {
        if (!row.command) continue;
        const CommandId id = *row.command;
        bool Modes::*flag = row.flag;
        const std::string key = row.keptOnToggle ? std::string(row.settingKey) : std::string();
        c.add(
            id,
            [&model, &m, id, flag, key, writeSetting] {
                // Flips the flag; the model repaints so the mode letters follow.
                m.*flag = !(m.*flag);
                model.notify();
                // Adding Machine and RPN exclude each other. The RPN stack
                // starts empty whenever RPN mode is switched on or off, so
                // numbers from an earlier session of RPN work never turn up
                // again.
                if (id == CommandId::AddingMachineMode && m.addingMachine && m.rpn) {
                    m.rpn = false;
                    if (model.rpnClear) model.rpnClear();
                }
                if (id == CommandId::RpnMode) {
                    if (m.rpn) m.addingMachine = false;
                    if (model.rpnClear) model.rpnClear();
                }
                if (!key.empty() && writeSetting) writeSetting(key, m.*flag ? "True" : "False");
            },
            [&m, flag] { return m.*flag; });
    }
}

}  // namespace zorv::engine
