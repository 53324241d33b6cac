#include "finance/FeedbackNumericInput.h"

namespace zorv::finance {

void FeedbackNumericInput::Init(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    prompt_ = prompt;
    title_ = title;
    default_ = defaultText;
}

std::optional<std::string> FeedbackNumericInput::run() {
    engine::UserFeedback& feedback = model_.feedback();
    for (;;) {
        const auto typed = feedback.askText(prompt_, title_, default_);
        if (!typed) return std::nullopt;
        const std::string text =
            filterAnswerText(*typed, model_.symbols(), static_cast<std::size_t>(model_.maxDigits()));
        if (auto answer = normaliseAnswer(text, model_.symbols())) return answer;
        feedback.showMessage("Invalid value!", std::string(engine::kProductName),
                             engine::MessageIcon::Information);
    }
}

}  // namespace zorv::finance
