#include "TextEscape.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "engine/RegularFile.h"

namespace zorv::notes {

namespace {

constexpr std::size_t kReportedLines = 5;

// Length of the valid UTF-8 sequence starting at s[i], or 0 when the byte
// does not start one (overlong forms, surrogates and values past U+10FFFF
// are invalid).
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c >= 0xC2 && c <= 0xDF) { n = 2; cp = c & 0x1F; min = 0x80; }
    else if (c >= 0xE0 && c <= 0xEF) { n = 3; cp = c & 0x0F; min = 0x800; }
    else if (c >= 0xF0 && c <= 0xF4) { n = 4; cp = c & 0x07; min = 0x10000; }
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string escapeValue(std::string_view raw) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(raw.size() + raw.size() / 8);
    for (std::size_t i = 0; i < raw.size();) {
        // Printable ASCII other than the backslash goes over in runs.
        std::size_t run = i;
        while (run < raw.size() && raw[run] >= 0x20 && raw[run] < 0x7F && raw[run] != '\\') ++run;
        if (run > i) {
            out.append(raw.substr(i, run - i));
            i = run;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(raw[i]);
        switch (c) {
        case '\\': out += "\\\\"; ++i; continue;
        case '\n': out += "\\n"; ++i; continue;
        case '\r': out += "\\r"; ++i; continue;
        case '\t': out += "\\t"; ++i; continue;
        case '\0': out += "\\0"; ++i; continue;
        default: break;
        }
        const std::size_t n = (c < 0x20 || c == 0x7F) ? 0 : utf8Length(raw, i);
        if (n == 0) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
            ++i;
        } else {
            out.append(raw.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string unescapeValue(std::string_view s, bool* damaged) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            const std::size_t slash = std::min(s.find('\\', i), s.size());
            out.append(s.substr(i, slash - i));
            i = slash - 1;
            continue;
        }
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        const bool hasNext = i + 1 < s.size();
        if (hasNext && next == '\\') { out += '\\'; ++i; }
        else if (hasNext && next == 'n') { out += '\n'; ++i; }
        else if (hasNext && next == 'r') { out += '\r'; ++i; }
        else if (hasNext && next == 't') { out += '\t'; ++i; }
        else if (hasNext && next == '0') { out += '\0'; ++i; }
        else if (hasNext && next == 'x' && i + 3 < s.size() && hexValue(s[i + 2]) >= 0 && hexValue(s[i + 3]) >= 0) {
            out += static_cast<char>(hexValue(s[i + 2]) * 16 + hexValue(s[i + 3]));
            i += 3;
        } else {
            out += '\\';
            if (damaged) *damaged = true;
        }
    }
    return out;
}

std::string skippedReport(std::string_view fileName, const std::vector<SkippedLine>& skipped) {
    if (skipped.empty()) return {};
    std::string out = std::string(fileName) + ": " + std::to_string(skipped.size()) +
                      (skipped.size() == 1 ? " line" : " lines") + " skipped";
    for (std::size_t i = 0; i < skipped.size() && i < kReportedLines; ++i)
        out += (i == 0 ? ": " : "; ") + std::string("line ") + std::to_string(skipped[i].line) + ": " +
               skipped[i].reason;
    if (skipped.size() > kReportedLines) out += "; and " + std::to_string(skipped.size() - kReportedLines) + " more";
    return out + ".";
}

FileText readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string_view shownName) {
    using engine::FileRead;
    const std::string shown(shownName);
    FileRead read = engine::readRegularFile(path.string(), maxBytes);
    FileText result;
    result.exists = read.failure != FileRead::Failure::Missing;
    switch (read.failure) {
    case FileRead::Failure::None: result.text = std::move(read.text); break;
    case FileRead::Failure::Missing: break;
    case FileRead::Failure::Folder:
    case FileRead::Failure::NotRegular: result.error = shown + " is not a regular file; it was not read."; break;
    case FileRead::Failure::TooLarge:
        result.error = shown + " is larger than " + std::to_string(maxBytes / (1024 * 1024)) +
                       " MB; it was not read.";
        break;
    case FileRead::Failure::Unreadable: result.error = "Cannot read " + shown + ": " + read.reason; break;
    }
    return result;
}

std::filesystem::path unreadCopyPath(const std::filesystem::path& file) {
    std::filesystem::path copy = file;
    copy += ".unread";
    return copy;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<std::string_view> fileLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return splitLines(text);
}

FileLine classifyLine(std::string_view line) {
    const std::string_view bare = trimBlanks(line);
    if (bare.empty() || bare.front() == '#' || bare.front() == ';') return {FileLine::Kind::Nothing, {}};
    if (bare.front() == '[' && bare.back() == ']' && bare.size() >= 2)
        return {FileLine::Kind::Section, trimBlanks(bare.substr(1, bare.size() - 2))};
    return {FileLine::Kind::Entry, {}};
}

std::string loadReport(const std::string& error, std::string_view fileName, const std::vector<SkippedLine>& skipped) {
    if (!error.empty()) return error;
    return skippedReport(fileName, skipped);
}

std::string withoutFinalStop(std::string reason) {
    if (!reason.empty() && reason.back() == '.') reason.pop_back();
    return reason;
}

}  // namespace zorv::notes
