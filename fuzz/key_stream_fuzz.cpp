// Random key streams through batch mode's key handling, "%", "R", "S" and
// RPN mode included: no key sequence may crash, and whatever happened, C
// must bring the calculator back to rest with an empty RPN stack.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ModeCommands.h"
#include "engine/RpnStack.h"
#include "engine/ScientificFunctions.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t places = data[1];
    const std::uint8_t more = data[2];
    const std::string_view input(reinterpret_cast<const char*>(data + 3), size - 3);

    ScriptedFeedback feedback;
    NumberSymbols symbols;
    if (flags & 0x80) symbols = NumberSymbols{",", ".", "€"};
    CalculatorModel model(feedback, symbols);
    Modes& m = model.modes();
    m.financial = flags & 0x01;
    m.addingMachine = flags & 0x02;
    m.repeatSubtraction = flags & 0x04;
    m.magicNumber = flags & 0x08;
    m.autoDecimal = flags & 0x10;
    m.numberTapeItems = flags & 0x20;
    m.carryResult = flags & 0x40;
    m.decimalPlaces = 2 + places % 14;
    m.rpn = (more & 0x01) && !m.addingMachine;
    m.percentForNumber = more & 0x02;
    m.showPercentages = more & 0x04;
    m.radians = more & 0x08;
    // The real percent, square and root keys, the Sci menu ({Sine}, ...),
    // the RPN stack and the mode toggles ({RPN Mode}, ...).
    RpnStack stack(model);
    ScientificFunctions functions(model);
    registerScientificCommands(model, functions);
    registerRpnCommands(model, stack);
    registerModeCommands(model);

    const KeyScript script = parseKeyScript(input);
    for (const auto& a : script.answers) feedback.answer(a);
    runKeyScript(model, script, nullptr);

    if (model.readout().empty()) std::abort();
    // Only numbers reach the readout and the tape: no "nan" or "inf" from a
    // function, however it was driven.
    for (const std::string* text : {&model.readout(), &model.tape().text()})
        if (text->find("nan") != std::string::npos || text->find("inf") != std::string::npos)
            std::abort();
    model.clearAll();
    if (model.readout() != "0" + model.decimalSymbol() || model.numOps() != 0 ||
        model.entryState() != zorv::engine::EntryState::None || !model.runningTotal().isZero() ||
        !stack.values().empty() || model.rpnDepthLabel() != "0")
        std::abort();
    // And the calculator still adds up after the clear.
    m.autoDecimal = false;
    m.rpn = false;
    runKeyScript(model, parseKeyScript("2+2="), nullptr);
    if (model.tape().text().find("\r\n4") == std::string::npos) std::abort();
    return 0;
}
