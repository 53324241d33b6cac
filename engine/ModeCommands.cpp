#include "ModeCommands.h"

namespace zorv::engine {

void registerModeCommands(CalculatorModel& model,
                          std::function<void(const std::string&, const std::string&)> writeSetting) {
    auto& c = model.commands();
    Modes& m = model.modes();
    auto write = [writeSetting](const char* key, bool on) {
        if (writeSetting) writeSetting(key, on ? "True" : "False");
    };
    // Flips a flag; the model repaints so the mode letters follow.
    auto toggle = [&model](bool& flag) {
        flag = !flag;
        model.notify();
    };

    c.add(CommandId::FinancialMode, [&m, toggle] { toggle(m.mnuFinCalcMode); },
          [&m] { return m.mnuFinCalcMode; });
    c.add(CommandId::AutoDecimalMode, [&m, toggle] { toggle(m.mnuAutoDecimal); },
          [&m] { return m.mnuAutoDecimal; });
    // The RPN stack starts empty whenever RPN mode is switched on or off, so
    // numbers from an earlier session of RPN work never turn up again.
    auto clearStack = [&model] {
        if (model.RPNclear) model.RPNclear();
    };
    c.add(CommandId::AddingMachineMode,
          [&m, toggle, clearStack] {
              toggle(m.mnuAddMachMode);
              if (m.mnuAddMachMode && m.mnuRpnMode) {
                  m.mnuRpnMode = false;
                  clearStack();
              }
          },
          [&m] { return m.mnuAddMachMode; });
    c.add(CommandId::RpnMode,
          [&m, toggle, clearStack] {
              toggle(m.mnuRpnMode);
              if (m.mnuRpnMode) m.mnuAddMachMode = false;
              clearStack();
          },
          [&m] { return m.mnuRpnMode; });
    c.add(CommandId::ShowPercentages, [&m, toggle] { toggle(m.mnuShowPercentMode); },
          [&m] { return m.mnuShowPercentMode; });
    c.add(CommandId::PercentForNumber, [&m, toggle] { toggle(m.mnuPercentForNum); },
          [&m] { return m.mnuPercentForNum; });
    c.add(CommandId::MagicNumber, [&m, toggle] { toggle(m.mnuMagicNumber); },
          [&m] { return m.mnuMagicNumber; });
    c.add(CommandId::RepeatSubtraction,
          [&m, toggle, write] {
              toggle(m.mnuRepeatSubtract);
              write("Repeat Subtraction", m.mnuRepeatSubtract);
          },
          [&m] { return m.mnuRepeatSubtract; });
    c.add(CommandId::CarryResult, [&m, toggle] { toggle(m.CarryResult); }, [&m] { return m.CarryResult; });
    c.add(CommandId::FormatNumbers, [&m, toggle] { toggle(m.mnuFormatNumbers); },
          [&m] { return m.mnuFormatNumbers; });
    c.add(CommandId::NumberTapeItems,
          [&m, toggle, write] {
              toggle(m.mnuTapeItems);
              write("Tape Item Count", m.mnuTapeItems);
          },
          [&m] { return m.mnuTapeItems; });
}

}  // namespace zorv::engine
