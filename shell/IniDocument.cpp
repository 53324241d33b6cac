#include "IniDocument.h"

#include <cstdint>
#include <utility>

namespace zorv::shell {

namespace {

std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Characters written as a backslash and a letter, as Qt's INI files do.
constexpr std::pair<char, char> kEscapes[] = {{'\a', 'a'}, {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'},
                                              {'\r', 'r'}, {'\t', 't'}, {'\v', 'v'}, {'"', '"'},
                                              {'\\', '\\'}};

char escapeLetter(char c) {
    for (const auto& [plain, letter] : kEscapes)
        if (plain == c) return letter;
    return 0;
}

char escapedChar(char letter) {
    if (letter == '\'' || letter == '?') return letter;
    for (const auto& [plain, l] : kEscapes)
        if (l == letter) return plain;
    return 0;
}

void appendHexEscape(std::string& out, unsigned char c) {
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[c >> 4];
    out += digits[c & 0xF];
}

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument doc;
    if (text.starts_with("\xEF\xBB\xBF")) {
        doc.bom_ = "\xEF\xBB\xBF";
        text.remove_prefix(3);
    }
    doc.hasNul_ = text.find('\0') != std::string_view::npos;
    bool newlineSeen = false;
    std::string section(kGeneralSection);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        Line line;
        if (end == std::string_view::npos) {
            line.text = std::string(text.substr(start));
            start = text.size();
        } else {
            line.text = std::string(text.substr(start, end - start));
            const std::size_t endLength = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
            line.end = std::string(text.substr(end, endLength));
            start = end + endLength;
            if (!newlineSeen) {
                doc.newline_ = line.end;
                newlineSeen = true;
            }
        }
        const std::string_view t = trimBlanks(line.text);
        if (t.empty()) {
            line.kind = Kind::Blank;
        } else if (t[0] == ';' || t[0] == '#') {
            line.kind = Kind::Comment;
        } else if (t[0] == '[' && t.find(']') != std::string_view::npos) {
            line.kind = Kind::Section;
            section = decodeName(trimBlanks(t.substr(1, t.find(']') - 1)));
        } else if (const auto eq = line.text.find('='); eq != std::string::npos &&
                                                       !trimBlanks(std::string_view(line.text).substr(0, eq)).empty()) {
            line.kind = Kind::Entry;
            line.key = decodeName(trimBlanks(std::string_view(line.text).substr(0, eq)));
            line.valueAt = eq + 1;
        }
        line.section = section;
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

bool IniDocument::readsAsIni() const {
    if (hasNul_) return false;
    std::size_t meaningful = 0, understood = 0, sections = 0;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Blank || line.kind == Kind::Comment) continue;
        ++meaningful;
        if (line.kind == Kind::Section) ++sections;
        if (line.kind == Kind::Section || line.kind == Kind::Entry) ++understood;
    }
    return meaningful == 0 || (sections > 0 && understood * 2 > meaningful);
}

std::optional<std::size_t> IniDocument::findEntry(std::string_view section, std::string_view key) const {
    for (std::size_t i = lines_.size(); i-- > 0;) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Entry && line.section == section && line.key == key) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const auto i = findEntry(section, key);
    if (!i) return std::nullopt;
    const Line& line = lines_[*i];
    return decodeValue(std::string_view(line.text).substr(line.valueAt));
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    if (const auto i = findEntry(section, key)) {
        Line& line = lines_[*i];
        const std::string_view old = std::string_view(line.text).substr(line.valueAt);
        if (decodeValue(old) == value) return false;
        // Keeps "key =" and the blanks after it as the user spaced them.
        const auto valueStart = old.find_first_not_of(" \t");
        const std::size_t keep = line.valueAt + (valueStart == std::string_view::npos ? 0 : valueStart);
        line.text = line.text.substr(0, keep) + encodeValue(value);
        return true;
    }

    Line entry;
    entry.text = encodeName(key) + "=" + encodeValue(value);
    entry.end = newline_;
    entry.kind = Kind::Entry;
    entry.section = std::string(section);
    entry.key = std::string(key);
    entry.valueAt = encodeName(key).size() + 1;

    // After the last entry of the section (or its header), so that comments
    // and blank lines leading into the next section stay with it.
    std::optional<std::size_t> lastEntry, lastHeader;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.section != section) continue;
        if (line.kind == Kind::Entry) lastEntry = i;
        else if (line.kind == Kind::Section) lastHeader = i;
    }
    if (const auto after = lastEntry ? lastEntry : lastHeader) {
        if (lines_[*after].end.empty()) lines_[*after].end = newline_;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*after) + 1, std::move(entry));
        return true;
    }

    if (!lines_.empty()) {
        if (lines_.back().end.empty()) lines_.back().end = newline_;
        if (lines_.back().kind != Kind::Blank) {
            Line blank;
            blank.kind = Kind::Blank;
            blank.end = newline_;
            blank.section = lines_.back().section;
            lines_.push_back(std::move(blank));
        }
    }
    Line header;
    header.text = "[" + encodeName(section) + "]";
    header.end = newline_;
    header.kind = Kind::Section;
    header.section = std::string(section);
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(entry));
    return true;
}

std::string IniDocument::text() const {
    std::string out = bom_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.end;
    }
    return out;
}

std::string IniDocument::encodeValue(std::string_view value) {
    std::string out;
    bool quote = !value.empty() && (value.front() == ' ' || value.back() == ' ' ||
                                    value.front() == '\t' || value.back() == '\t');
    if (value.starts_with('@')) out += '@';
    bool afterHex = false;
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == ';' || ch == ',' || ch == '=') quote = true;
        // A hex digit right after a "\x" escape would be read as part of it.
        if (afterHex && hexValue(ch) >= 0) {
            appendHexEscape(out, c);
            continue;
        }
        afterHex = false;
        if (const char letter = escapeLetter(ch)) {
            out += '\\';
            out += letter;
        } else if (c < 0x20 || c == 0x7F) {
            appendHexEscape(out, c);
            afterHex = true;
        } else {
            out += ch;
        }
    }
    return quote ? "\"" + out + "\"" : out;
}

std::string IniDocument::decodeValue(std::string_view stored) {
    const std::string_view t = trimBlanks(stored);
    // Hand-written values are taken as they stand.
    if (t.find_first_of("\"\\") == std::string_view::npos && !t.starts_with("@@")) return std::string(t);
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '"') continue;  // quotes only group; their text is kept
        if (c != '\\' || i + 1 == t.size()) {
            out += c;
            continue;
        }
        const char e = t[++i];
        if (const char c2 = escapedChar(e)) {
            out += c2;
        } else if (e == '0') {
            out += '\0';
        } else if (e == 'x') {
            std::uint32_t cp = 0;
            std::size_t digits = 0;
            while (i + 1 < t.size() && digits < 4 && hexValue(t[i + 1]) >= 0) {
                cp = cp * 16 + static_cast<std::uint32_t>(hexValue(t[++i]));
                ++digits;
            }
            if (digits == 0) out += "\\x";
            else appendUtf8(out, cp);
        } else {  // not an escape: a hand-written path keeps its backslash
            out += '\\';
            out += e;
        }
    }
    if (out.starts_with("@@")) out.erase(0, 1);
    return out;
}

std::string IniDocument::encodeName(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const bool edgeBlank = (c == ' ' || c == '\t') && (i == 0 || i + 1 == name.size());
        if (c < 0x20 || c == 0x7F || c == '%' || c == '=' || c == ';' || c == '[' || c == ']' ||
            c == '\\' || c == '"' || c == '#' || edgeBlank) {
            static constexpr char digits[] = "0123456789ABCDEF";
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string IniDocument::decodeName(std::string_view stored) {
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '\\') {
            out += '/';
        } else if (c == '%' && i + 5 < stored.size() && stored[i + 1] == 'U' &&
                   hexValue(stored[i + 2]) >= 0 && hexValue(stored[i + 3]) >= 0 &&
                   hexValue(stored[i + 4]) >= 0 && hexValue(stored[i + 5]) >= 0) {
            std::uint32_t cp = 0;
            for (std::size_t k = 2; k <= 5; ++k) cp = cp * 16 + static_cast<std::uint32_t>(hexValue(stored[i + k]));
            appendUtf8(out, cp);
            i += 5;
        } else if (c == '%' && i + 2 < stored.size() && hexValue(stored[i + 1]) >= 0 &&
                   hexValue(stored[i + 2]) >= 0) {
            appendUtf8(out, static_cast<std::uint32_t>(hexValue(stored[i + 1]) * 16 + hexValue(stored[i + 2])));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace zorv::shell
