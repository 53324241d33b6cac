#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "UserFeedback.h"

namespace zorv::engine {

// Answers questions from a queue of scripted answers and records everything
// shown. Batch mode uses it with the answers of its input; tests use it to
// check messages and to answer guided calculations.
//
// Message boxes take "yes", "no", "cancel" or "ok" (any letter case); an
// answer that names no button of the box, or no answer left, gives the
// default button. Input boxes take any text; "cancel" (any letter case), or
// no answer left, cancels.
class ScriptedFeedback : public UserFeedback {
public:
    struct Message {
        std::string title;
        std::string text;
        MessageIcon icon;
        MessageButtons buttons;
        MessageResult result;
    };
    struct Question {
        std::string title;
        std::string prompt;
        std::string defaultText;
        bool answered;
        std::string answer;
    };
    // Everything shown, in order: "message", "question" or "beep".
    struct Event {
        enum Kind { MessageShown, QuestionAsked, Beep } kind;
        std::size_t index;  // into messages or questions
    };

    MessageResult showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok,
                              std::optional<MessageResult> defaultButton = {}) override;
    std::optional<std::string> askText(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) override;
    void beep() override;
    // An answer is queued, or `nextIsAnswer` says the script has one next.
    bool answerFollows() override { return !answers.empty() || (nextIsAnswer && nextIsAnswer()); }
    std::function<bool()> nextIsAnswer;
    void focusEqualsKey() override { ++focusRequests; }
    bool mainWindowVisible() const override { return windowVisible; }

    void answer(std::string text) { answers.push_back(std::move(text)); }
    // Asked for the next answer when a question finds the queue empty
    // (batch mode reads its script as it goes); nullopt when there is none.
    std::function<std::optional<std::string>()> moreAnswers;
    void clearRecord();
    // The text of every message, in order (handy for assertions).
    std::vector<std::string> messageTexts() const;

    std::deque<std::string> answers;
    std::vector<Message> messages;
    std::vector<Question> questions;
    std::vector<Event> events;
    int beeps = 0;
    int focusRequests = 0;
    bool windowVisible = false;

private:
    bool haveAnswer();
};

}  // namespace zorv::engine
