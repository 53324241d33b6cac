#include "ScriptedFeedback.h"

#include <algorithm>
#include <cctype>

namespace zorv::engine {

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool offers(MessageButtons buttons, MessageResult r) {
    switch (buttons) {
    case MessageButtons::Ok: return r == MessageResult::Ok;
    case MessageButtons::OkCancel: return r == MessageResult::Ok || r == MessageResult::Cancel;
    case MessageButtons::YesNo: return r == MessageResult::Yes || r == MessageResult::No;
    case MessageButtons::YesNoCancel:
        return r == MessageResult::Yes || r == MessageResult::No || r == MessageResult::Cancel;
    }
    return false;
}

MessageResult firstButton(MessageButtons buttons) {
    return (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel)
               ? MessageResult::Yes
               : MessageResult::Ok;
}

}  // namespace

bool ScriptedFeedback::haveAnswer() {
    if (answers.empty() && moreAnswers)
        if (auto a = moreAnswers()) answers.push_back(std::move(*a));
    return !answers.empty();
}

MessageResult ScriptedFeedback::showMessage(const std::string& text, const std::string& title,
                                            MessageIcon icon, MessageButtons buttons,
                                            std::optional<MessageResult> defaultButton) {
    MessageResult result = defaultButton.value_or(firstButton(buttons));
    // A plain OK box needs no decision, so it leaves the queue alone.
    if (buttons != MessageButtons::Ok && haveAnswer()) {
        const std::string a = lower(answers.front());
        answers.pop_front();
        std::optional<MessageResult> chosen;
        if (a == "yes") chosen = MessageResult::Yes;
        else if (a == "no") chosen = MessageResult::No;
        else if (a == "cancel") chosen = MessageResult::Cancel;
        else if (a == "ok") chosen = MessageResult::Ok;
        if (chosen && offers(buttons, *chosen)) result = *chosen;
    }
    messages.push_back({title, text, icon, buttons, result});
    events.push_back({Event::MessageShown, messages.size() - 1});
    return result;
}

std::optional<std::string> ScriptedFeedback::askText(const std::string& prompt,
                                                     const std::string& title,
                                                     const std::string& defaultText) {
    Question q{title, prompt, defaultText, false, {}};
    std::optional<std::string> result;
    if (haveAnswer()) {
        std::string a = answers.front();
        answers.pop_front();
        if (lower(a) != "cancel") {
            q.answered = true;
            q.answer = a;
            result = std::move(a);
        }
    }
    questions.push_back(std::move(q));
    events.push_back({Event::QuestionAsked, questions.size() - 1});
    return result;
}

void ScriptedFeedback::beep() {
    ++beeps;
    events.push_back({Event::Beep, 0});
}

void ScriptedFeedback::clearRecord() {
    messages.clear();
    questions.clear();
    events.clear();
    beeps = 0;
    focusRequests = 0;
}

std::vector<std::string> ScriptedFeedback::messageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}

}  // namespace zorv::engine
