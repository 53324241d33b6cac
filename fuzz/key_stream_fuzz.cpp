// Random key streams through batch mode's key handling: no key sequence may
// crash, and whatever happened, C must bring the calculator back to rest.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t flags = data[0];
    const std::uint8_t places = data[1];
    const std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);

    ScriptedFeedback feedback;
    NumberSymbols symbols;
    if (flags & 0x80) symbols = NumberSymbols{",", ".", "€"};
    CalculatorModel model(feedback, symbols);
    Modes& m = model.modes();
    m.mnuFinCalcMode = flags & 0x01;
    m.mnuAddMachMode = flags & 0x02;
    m.mnuRepeatSubtract = flags & 0x04;
    m.mnuMagicNumber = flags & 0x08;
    m.mnuAutoDecimal = flags & 0x10;
    m.mnuTapeItems = flags & 0x20;
    m.CarryResult = flags & 0x40;
    m.DecimalPlaces = 2 + places % 14;
    // Commands that other layers register are stand-ins here.
    model.commands().add("Square Root", [] {});
    model.commands().add("Square", [] {});

    const KeyScript script = parseKeyScript(input);
    for (const auto& a : script.answers) feedback.answer(a);
    runKeyScript(model, script, nullptr);

    if (model.readout().empty()) std::abort();
    model.Cancel_Click();
    if (model.readout() != "0" + model.DecimalSymbol() || model.NumOps() != 0 ||
        model.EntryState() != "NONE" || !model.RunningTotal().isZero())
        std::abort();
    // And the calculator still adds up after the clear.
    m.mnuAutoDecimal = false;
    runKeyScript(model, parseKeyScript("2+2="), nullptr);
    if (model.tape().text().find("\r\n4") == std::string::npos) std::abort();
    return 0;
}
