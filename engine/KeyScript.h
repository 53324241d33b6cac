#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorv::engine {

class CalculatorModel;

// A key script is what batch mode reads: plain characters are keys typed
// into the main window (a line feed is Enter), {NAME} presses a named key or
// runs a named command, and [TEXT] is an answer to a question. Answers form
// one queue, read ahead of the keys: each question takes the first answer not
// yet used. An unclosed "{" or "[" is taken as a typed character.
struct KeyScript {
    struct Step {
        enum Kind { Key, Command } kind;
        std::string text;  // one UTF-8 character, or the command name
    };
    std::vector<Step> steps;
    std::vector<std::string> answers;
};

KeyScript parseKeyScript(std::string_view input);

// Runs the steps against the model. Keys go through the window's keyboard
// handling; a command name that the catalogue does not know is passed to
// `unknownCommand` and skipped.
void runKeyScript(CalculatorModel& model, const KeyScript& script,
                  const std::function<void(const std::string&)>& unknownCommand);

}  // namespace zorv::engine
