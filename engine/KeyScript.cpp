#include "KeyScript.h"

#include "CalculatorModel.h"

namespace zorv::engine {

namespace {

std::size_t utf8CharLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;  // a stray continuation or invalid byte counts as one key
}

}  // namespace

KeyScript parseKeyScript(std::string_view input) {
    KeyScript script;
    std::size_t i = 0;
    while (i < input.size()) {
        const char c = input[i];
        if (c == '{' || c == '[') {
            const char close = c == '{' ? '}' : ']';
            const auto end = input.find(close, i + 1);
            if (end != std::string_view::npos) {
                std::string inner(input.substr(i + 1, end - i - 1));
                if (c == '{')
                    script.steps.push_back({KeyScript::Step::Command, std::move(inner)});
                else
                    script.answers.push_back(std::move(inner));
                i = end + 1;
                continue;
            }
        }
        if (c == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
            // A CR LF line end is one Enter, not two.
            ++i;
            continue;
        }
        std::size_t len = utf8CharLength(static_cast<unsigned char>(c));
        if (i + len > input.size()) len = input.size() - i;
        std::string key(input.substr(i, len));
        if (key == "\n") key = "\r";
        script.steps.push_back({KeyScript::Step::Key, std::move(key)});
        i += len;
    }
    return script;
}

void runKeyScript(CalculatorModel& model, const KeyScript& script,
                  const std::function<void(const std::string&)>& unknownCommand) {
    for (const auto& step : script.steps) {
        if (step.kind == KeyScript::Step::Key) {
            model.Form_KeyPress(step.text);
        } else if (!model.commands().run(step.text)) {
            if (unknownCommand) unknownCommand(step.text);
        }
    }
}

}  // namespace zorv::engine
