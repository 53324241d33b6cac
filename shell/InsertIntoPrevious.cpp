#include "InsertIntoPrevious.h"

#include <algorithm>
#include <cctype>

#include "engine/TextUtil.h"

namespace zorv::shell {

using engine::CommandId;

namespace {

void call(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

std::string clipboardFallbackText(const std::string& value) {
    return "The value " + value + " could not be typed into another program.\r\n"
           "It was copied to the clipboard instead: paste it where you need it.";
}

bool isNicCommandLine(const std::string& commandLine) {
    std::string upper = commandLine;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "/NIC";
}

void insertIntoPreviousProgram(engine::CalculatorModel& model, const InsertTarget& target,
                             bool exitAfterwards) {
    model.normalizeReadout();
    if (model.inputCancelled) return;  // "Invalid value!" was shown; nothing to insert
    const std::string value = model.purgeNumericInput(engine::text::trim(model.readout()));
    if (model.inputCancelled || value.empty()) return;

    auto toClipboard = [&] {
        if (target.copyToClipboard) target.copyToClipboard(value);
        model.feedback().showMessage(clipboardFallbackText(value), std::string(engine::kProductName),
                                     engine::MessageIcon::Information);
    };
    if (!target.canType || !target.canType() || !target.typeText) {
        toClipboard();
        return;
    }

    call(target.yield);
    call(target.minimise);
    call(target.yield);
    const bool typed = target.typeText(value);
    call(target.yield);
    if (!typed) {
        call(target.showNormal);
        toClipboard();
        return;
    }
    if (exitAfterwards) {
        call(target.exitProgram);
        return;
    }
    if (model.commands().checked(CommandId::CalcOnTop).value_or(false)) call(target.showNormal);
}

}  // namespace zorv::shell
