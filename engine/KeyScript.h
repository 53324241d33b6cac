#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
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

// Reads a key script from a stream as it is needed, so that a long script
// costs time in proportion to its length and memory only for what has been
// read but not yet used: keys are handed out one at a time, and an answer is
// looked for ahead of the keys only when a question wants one. The meaning
// is exactly that of reading the whole script first.
class KeyScriptReader {
public:
    explicit KeyScriptReader(std::istream& in) : in_(in) {}

    // The next key or command; nullopt at the end of the script.
    std::optional<KeyScript::Step> nextStep();
    // The first answer not yet used, wherever it stands in the script;
    // nullopt when none is left.
    std::optional<std::string> takeAnswer();
    // Whether the next question would get an answer that follows right
    // after the last key or answer read (or one already queued), without
    // looking past keys: commands whose last answers are optional ask this
    // before asking, so they never take a later command's answer.
    bool answerIsNext();

private:
    enum class TokenKind { Key, Command, Answer, End };
    struct Token {
        TokenKind kind;
        std::string text;
    };
    // Where the next "}" or "]" at or after a position is, for one reading
    // position that only moves forward: found once, it serves every later
    // "{" before it, and known absent, every later one. This keeps a script
    // full of unclosed brackets linear.
    struct CloseSearch {
        char close;
        std::uint64_t found = kNone;
        std::uint64_t scannedTo = 0;
        bool noneLeft = false;
    };
    struct Cursor {
        std::uint64_t at = 0;
        CloseSearch brace{'}'};
        CloseSearch bracket{']'};
    };
    static constexpr std::uint64_t kNone = ~std::uint64_t{0};

    // The token at the cursor, which moves past it. The answer search
    // needs no text of keys and commands, only where they end.
    Token readToken(Cursor& cursor, bool keysWanted);
    std::uint64_t findClose(CloseSearch& search, std::uint64_t from);
    // Makes bytes up to absolute offset `end` available; false when the
    // script ends before.
    bool available(std::uint64_t end);
    char byteAt(std::uint64_t pos) const { return buffer_[pos - base_]; }
    void dropUsedInput();
    void queueAnswer(const std::string& text);

    std::istream& in_;
    std::string buffer_;     // the script from offset base_ on
    std::uint64_t base_ = 0;
    bool ended_ = false;
    Cursor keys_;            // where the keys are read
    Cursor answers_;         // how far answers have been looked for ahead of the keys
    // Answers the keys have passed and no question has taken yet, each as
    // its length (4 bytes) and text: compact, so that a script of many
    // answers does not cost many small strings.
    std::string queue_;
    std::size_t queueHead_ = 0;
};

// The whole script at once (tests, fuzzing, benchmarks).
KeyScript parseKeyScript(std::string_view input);

// Runs the steps against the model. Keys go through the window's keyboard
// handling; a command name that the catalogue does not know is passed to
// `unknownCommand` and skipped.
void runKeyScript(CalculatorModel& model, const KeyScript& script,
                  const std::function<void(const std::string&)>& unknownCommand);
void runKeyStep(CalculatorModel& model, const KeyScript::Step& step,
                const std::function<void(const std::string&)>& unknownCommand);

}  // namespace zorv::engine
