// Reading batch scripts: the streamed reader means exactly what reading the
// whole script first meant, costs linear time, and reads only as far ahead
// as a question needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <sstream>
#include <streambuf>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"

using namespace zorv::engine;

namespace {

// The meaning of a script, read whole: a "{" or "[" runs to the next "}" or
// "]" anywhere after it, else it is a typed character.
KeyScript wholeScript(std::string_view input) {
    KeyScript script;
    std::size_t i = 0;
    while (i < input.size()) {
        const char c = input[i];
        if (c == '{' || c == '[') {
            const auto end = input.find(c == '{' ? '}' : ']', i + 1);
            if (end != std::string_view::npos) {
                std::string inner(input.substr(i + 1, end - i - 1));
                if (c == '{') script.steps.push_back({KeyScript::Step::Command, inner});
                else script.answers.push_back(inner);
                i = end + 1;
                continue;
            }
        }
        if (c == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
            ++i;
            continue;
        }
        const auto lead = static_cast<unsigned char>(c);
        std::size_t len = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                   : (lead & 0xF8) == 0xF0          ? 4
                                                                                    : 1;
        len = std::min(len, input.size() - i);
        std::string key(input.substr(i, len));
        if (key == "\n") key = "\r";
        script.steps.push_back({KeyScript::Step::Key, key});
        i += len;
    }
    return script;
}

std::string show(const KeyScript& s) {
    std::string out;
    for (const auto& st : s.steps) out += (st.kind == KeyScript::Step::Key ? "K:" : "C:") + st.text + "|";
    out += " answers:";
    for (const auto& a : s.answers) out += a + "|";
    return out;
}

TEST(KeyScript, MeansWhatTheWholeScriptMeans) {
    const char* cases[] = {"5+3=",       "{a[b]c}",  "[x{y]z",     "{abc",       "[abc",
                           "}{]",        "{{}",      "[[]]",       "a\r\nb\rc\n", "\r",
                           "caf\xC3\xA9", "\xE2\x82", "\xFF\x80{}", "{}[]",       "{[}]{]}",
                           ""};
    for (const char* c : cases) EXPECT_EQ(show(parseKeyScript(c)), show(wholeScript(c))) << c;

    // And on random scripts built from the characters that matter.
    const std::string alphabet = "{}[]a1+\r\n\xC3\xA9";
    std::mt19937 random(14);
    for (int n = 0; n < 3000; ++n) {
        std::string s;
        const std::size_t len = random() % 40;
        for (std::size_t i = 0; i < len; ++i) s += alphabet[random() % alphabet.size()];
        ASSERT_EQ(show(parseKeyScript(s)), show(wholeScript(s))) << s;
    }
}

// Hands out `total` bytes of a repeated pattern and counts what was taken.
class PatternInput : public std::streambuf {
public:
    PatternInput(std::string pattern, std::size_t total) : total_(total) {
        while (chunk_.size() < 4096) chunk_ += pattern;
    }
    std::size_t delivered = 0;

protected:
    int_type underflow() override {
        if (delivered >= total_) return traits_type::eof();
        const std::size_t n = std::min(chunk_.size(), total_ - delivered);
        delivered += n;
        setg(chunk_.data(), chunk_.data(), chunk_.data() + n);
        return traits_type::to_int_type(chunk_[0]);
    }

private:
    std::string chunk_;
    std::size_t total_;
};

TEST(KeyScript, ReadsOnlyAsFarAsNeeded) {
    PatternInput source("12+", 3u * 1024 * 1024);
    std::istream in(&source);
    KeyScriptReader reader(in);
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(reader.nextStep());
    EXPECT_LT(source.delivered, 1024u * 1024);
    // A question with no answer in the script reads to its end, and the
    // keys after it are still all there.
    EXPECT_FALSE(reader.takeAnswer());
    EXPECT_EQ(source.delivered, 3u * 1024 * 1024);
    std::size_t steps = 1000;
    while (reader.nextStep()) ++steps;
    EXPECT_EQ(steps, 3u * 1024 * 1024);  // every byte is a key
}

TEST(KeyScript, AnswersAnywhereAfterTheQuestionAreFound) {
    // A question takes the first answer not yet used, however far after it
    // the answer stands, and answers passed by the keys wait for theirs.
    std::istringstream in("[first]{Q}" + std::string(1536 * 1024, '1') + "[second]{Q}[third]{Q}{Q}");
    KeyScriptReader reader(in);
    std::vector<std::string> got;
    while (auto step = reader.nextStep()) {
        if (step->kind != KeyScript::Step::Command) continue;
        const auto a = reader.takeAnswer();
        got.push_back(a ? *a : "(none)");
    }
    EXPECT_EQ(got, (std::vector<std::string>{"first", "second", "third", "(none)"}));
}

TEST(KeyScript, AnswerIsNextOnlyForAnswersRightAfterTheCommandOrTheQueue) {
    // {Q} takes its first answer and then any that follow directly; keys or
    // a command in between end its answers ("[d]" after the keys waits in
    // the queue for the next question).
    std::istringstream in("{Q}[a][b]{Q}[c]5[d]{Q}[e]{Q}[f]");
    KeyScriptReader reader(in);
    std::vector<std::string> got;
    while (auto step = reader.nextStep()) {
        if (step->kind != KeyScript::Step::Command) continue;
        std::string all;
        auto a = reader.takeAnswer();
        all += a ? *a : "-";
        while (reader.answerIsNext()) all += *reader.takeAnswer();
        got.push_back(all);
    }
    EXPECT_EQ(got, (std::vector<std::string>{"ab", "c", "de", "f"}));
    // An answer queued before the command counts as next.
    std::istringstream queued("[x][y]{Q}");
    KeyScriptReader r2(queued);
    ASSERT_TRUE(r2.nextStep());
    EXPECT_EQ(*r2.takeAnswer(), "x");
    EXPECT_TRUE(r2.answerIsNext());
    EXPECT_EQ(*r2.takeAnswer(), "y");
    EXPECT_FALSE(r2.answerIsNext());
}

long long millisecondsToParse(const std::string& unit, std::size_t bytes) {
    std::string script;
    while (script.size() < bytes) script += unit;
    const auto start = std::chrono::steady_clock::now();
    const KeyScript parsed = parseKeyScript(script);
    EXPECT_GE(parsed.steps.size(), bytes / 2);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}

TEST(KeyScript, UnclosedBracketsCostLinearTime) {
    // Against plain keys of the same length, so that a slow or busy machine
    // does not matter: when every "{" looks for its "}" to the end, 300,000
    // of them take some fifty times as long.
    const std::size_t bytes = 300000;
    const long long plain = std::max(millisecondsToParse("a", bytes), 20LL);
    for (const std::string unit : {"{", "[", "{[", "]{"})
        EXPECT_LT(millisecondsToParse(unit, bytes), 5 * plain) << unit;
}

TEST(KeyScript, QuestionsInTheModelUseTheReader) {
    ScriptedFeedback fb;
    CalculatorModel m{fb};
    m.modes().financial = false;
    m.modes().formatNumbers = false;
    m.commands().add(CommandId::AnnotateTape, [&m] {
        if (const auto a = m.feedback().askText("?", "Ask", "")) m.postToTape(*a);
    });
    std::istringstream in("{Annotate Tape}5+3=[a note]");
    KeyScriptReader reader(in);
    fb.moreAnswers = [&reader] { return reader.takeAnswer(); };
    while (auto step = reader.nextStep()) runKeyStep(m, *step, nullptr);
    EXPECT_TRUE(m.tape().text().starts_with("a note\r\n")) << m.tape().text();
}

}  // namespace
