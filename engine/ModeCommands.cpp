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

    c.add(CommandId::FinancialMode, [&m, toggle] { toggle(m.financial); },
          [&m] { return m.financial; });
    c.add(CommandId::AutoDecimalMode, [&m, toggle] { toggle(m.autoDecimal); },
          [&m] { return m.autoDecimal; });
    // The RPN stack starts empty whenever RPN mode is switched on or off, so
    // numbers from an earlier session of RPN work never turn up again.
    auto clearStack = [&model] {
        if (model.rpnClear) model.rpnClear();
    };
    c.add(CommandId::AddingMachineMode,
          [&m, toggle, clearStack] {
              toggle(m.addingMachine);
              if (m.addingMachine && m.rpn) {
                  m.rpn = false;
                  clearStack();
              }
          },
          [&m] { return m.addingMachine; });
    c.add(CommandId::RpnMode,
          [&m, toggle, clearStack] {
              toggle(m.rpn);
              if (m.rpn) m.addingMachine = false;
              clearStack();
          },
          [&m] { return m.rpn; });
    c.add(CommandId::ShowPercentages, [&m, toggle] { toggle(m.showPercentages); },
          [&m] { return m.showPercentages; });
    c.add(CommandId::PercentForNumber, [&m, toggle] { toggle(m.percentForNumber); },
          [&m] { return m.percentForNumber; });
    c.add(CommandId::MagicNumber, [&m, toggle] { toggle(m.magicNumber); },
          [&m] { return m.magicNumber; });
    c.add(CommandId::RepeatSubtraction,
          [&m, toggle, write] {
              toggle(m.repeatSubtraction);
              write("Repeat Subtraction", m.repeatSubtraction);
          },
          [&m] { return m.repeatSubtraction; });
    c.add(CommandId::CarryResult, [&m, toggle] { toggle(m.carryResult); }, [&m] { return m.carryResult; });
    c.add(CommandId::FormatNumbers, [&m, toggle] { toggle(m.formatNumbers); },
          [&m] { return m.formatNumbers; });
    c.add(CommandId::NumberTapeItems,
          [&m, toggle, write] {
              toggle(m.numberTapeItems);
              write("Tape Item Count", m.numberTapeItems);
          },
          [&m] { return m.numberTapeItems; });
}

}  // namespace zorv::engine
