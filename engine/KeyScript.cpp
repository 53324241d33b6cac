#include "KeyScript.h"

#include <cstring>
#include <sstream>

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

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

bool KeyScriptReader::available(std::uint64_t end) {
    while (base_ + buffer_.size() < end) {
        if (ended_) return false;
        const std::size_t old = buffer_.size();
        buffer_.resize(old + kChunk);
        in_.read(buffer_.data() + old, static_cast<std::streamsize>(kChunk));
        const auto got = static_cast<std::size_t>(in_.gcount());
        buffer_.resize(old + got);
        if (got == 0 || !in_) ended_ = true;
    }
    return true;
}

std::uint64_t KeyScriptReader::findClose(CloseSearch& s, std::uint64_t from) {
    if (s.noneLeft) return kNone;
    if (s.found != kNone && s.found >= from) return s.found;
    std::uint64_t pos = std::max(from, s.scannedTo);
    for (;;) {
        const std::uint64_t end = base_ + buffer_.size();
        if (pos < end) {
            const char* start = buffer_.data() + (pos - base_);
            if (const void* hit = std::memchr(start, s.close, end - pos)) {
                s.found = pos + static_cast<std::uint64_t>(static_cast<const char*>(hit) - start);
                s.scannedTo = s.found;
                return s.found;
            }
            pos = end;
        }
        s.scannedTo = pos;
        if (!available(pos + 1)) {
            s.noneLeft = true;
            return kNone;
        }
    }
}

KeyScriptReader::Token KeyScriptReader::readToken(Cursor& cur, bool keysWanted) {
    if (!available(cur.at + 1)) return {TokenKind::End, {}};
    const char c = byteAt(cur.at);
    if (c == '{' || c == '[') {
        const std::uint64_t end = findClose(c == '{' ? cur.brace : cur.bracket, cur.at + 1);
        if (end != kNone) {
            Token t{c == '{' ? TokenKind::Command : TokenKind::Answer, {}};
            if (keysWanted || c == '[') t.text = buffer_.substr(cur.at + 1 - base_, end - cur.at - 1);
            cur.at = end + 1;
            return t;
        }
    }
    // A CR LF line end is one Enter, not two.
    if (c == '\r' && available(cur.at + 2) && byteAt(cur.at + 1) == '\n') ++cur.at;
    std::uint64_t len = utf8CharLength(static_cast<unsigned char>(byteAt(cur.at)));
    while (len > 1 && !available(cur.at + len)) --len;
    Token t{TokenKind::Key, {}};
    if (keysWanted) {
        t.text.assign(buffer_, cur.at - base_, len);
        if (t.text == "\n") t.text = "\r";
    }
    cur.at += len;
    return t;
}

void KeyScriptReader::queueAnswer(const std::string& text) {
    const auto n = static_cast<std::uint32_t>(text.size());
    queue_.append(reinterpret_cast<const char*>(&n), sizeof n);
    queue_ += text;
}

void KeyScriptReader::dropUsedInput() {
    // Everything before the keys' position has been read by both cursors
    // (the answer search never lags behind the keys it has to look past).
    const std::uint64_t used = keys_.at - base_;
    if (used >= 1024 * 1024 && used * 2 >= buffer_.size()) {
        buffer_.erase(0, used);
        base_ = keys_.at;
    }
}

std::optional<KeyScript::Step> KeyScriptReader::nextStep() {
    for (;;) {
        dropUsedInput();
        const std::uint64_t start = keys_.at;
        Token t = readToken(keys_, true);
        switch (t.kind) {
        case TokenKind::End: return std::nullopt;
        case TokenKind::Key: return KeyScript::Step{KeyScript::Step::Key, std::move(t.text)};
        case TokenKind::Command: return KeyScript::Step{KeyScript::Step::Command, std::move(t.text)};
        case TokenKind::Answer:
            // One the answer search has not yet seen joins the queue; the
            // others have been handed out already.
            if (start >= answers_.at) queueAnswer(t.text);
            break;
        }
    }
}

std::optional<std::string> KeyScriptReader::takeAnswer() {
    if (queueHead_ < queue_.size()) {
        std::uint32_t n = 0;
        std::memcpy(&n, queue_.data() + queueHead_, sizeof n);
        std::string a = queue_.substr(queueHead_ + sizeof n, n);
        queueHead_ += sizeof n + n;
        if (queueHead_ == queue_.size()) {
            queue_.clear();
            queueHead_ = 0;
        } else if (queueHead_ >= 1024 * 1024 && queueHead_ * 2 >= queue_.size()) {
            queue_.erase(0, queueHead_);
            queueHead_ = 0;
        }
        return a;
    }
    // The queue is empty, so every answer before the keys is used: look on
    // from wherever is further, the keys or the last search.
    if (answers_.at < keys_.at) answers_.at = keys_.at;
    for (;;) {
        Token t = readToken(answers_, false);
        if (t.kind == TokenKind::End) return std::nullopt;
        if (t.kind == TokenKind::Answer) return std::move(t.text);
    }
}

bool KeyScriptReader::answerIsNext() {
    if (queueHead_ < queue_.size()) return true;
    if (answers_.at < keys_.at) answers_.at = keys_.at;
    Cursor probe = answers_;
    return readToken(probe, false).kind == TokenKind::Answer;
}

KeyScript parseKeyScript(std::string_view input) {
    std::istringstream in{std::string(input)};
    KeyScriptReader reader(in);
    KeyScript script;
    while (auto step = reader.nextStep()) script.steps.push_back(std::move(*step));
    while (auto answer = reader.takeAnswer()) script.answers.push_back(std::move(*answer));
    return script;
}

void runKeyStep(CalculatorModel& model, const KeyScript::Step& step,
                const std::function<void(const std::string&)>& unknownCommand) {
    if (step.kind == KeyScript::Step::Key) {
        model.typeKey(step.text);
    } else if (!model.commands().run(step.text)) {
        if (unknownCommand) unknownCommand(step.text);
    }
}

void runKeyScript(CalculatorModel& model, const KeyScript& script,
                  const std::function<void(const std::string&)>& unknownCommand) {
    for (const auto& step : script.steps) runKeyStep(model, step, unknownCommand);
}

}  // namespace zorv::engine
