// Hostile input through the time and date commands: keys typed on the
// keypad (":" marking a time) followed by a calculation whose name and
// answers come from the input. Nothing may crash; a calculation either
// succeeds or says why not and changes nothing, and a result on the readout
// is a number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "engine/ScriptedFeedback.h"
#include "timedate/Duration.h"
#include "timedate/InputError.h"
#include "timedate/TimeDateCommands.h"

using namespace zorv;
using namespace zorv::timedate;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // Keys up to the first '|', then answers separated by '|'.
    const std::size_t bar = input.find('|');
    const std::string_view keys = input.substr(0, bar);

    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model(feedback);
    std::map<std::string, std::string> settings;
    TimeDateEnvironment env;
    env.readSetting = [&settings](const std::string& k, const std::string& d) {
        auto it = settings.find(k);
        return it == settings.end() ? d : it->second;
    };
    env.writeSetting = [&settings](const std::string& k, const std::string& v) { settings[k] = v; };
    env.clock = [] { return Instant{1796720400, 3600}; };
    env.datePattern = size % 2 ? "d/M/yyyy" : "";
    TimeDateService service(model, env);
    registerTimeDateCommands(model, service);

    for (char c : keys) {
        if (c == '{' || c == '}') continue;  // no commands from the key part
        model.typeKey(std::string(1, c));
    }
    try {
        (void)Duration::parse(service.readoutDuration(), model.symbols());
    } catch (const InputError&) {
    }

    if (bar != std::string_view::npos) {
        std::string_view rest = input.substr(bar + 1);
        while (!rest.empty()) {
            const std::size_t next = rest.find('|');
            feedback.answer(std::string(rest.substr(0, next)));
            if (next == std::string_view::npos) break;
            rest.remove_prefix(next + 1);
        }
        const std::string before = model.tape().text();
        const std::string readout = model.readout();
        const std::size_t messages = feedback.messages.size();  // the keys may have had some
        model.commands().run(engine::CommandId::TimeDateCalculations);
        const bool refused = feedback.messages.size() > messages;
        if (refused && (model.tape().text() != before || model.readout() != readout)) std::abort();
        // A result on the readout is a number the calculator reads.
        if (model.readout() != readout) {
            try {
                (void)model.toDecimal(model.readout());
            } catch (...) {
                std::abort();
            }
        }
    }
    return 0;
}
