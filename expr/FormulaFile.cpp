#include "expr/FormulaFile.h"

#include <fstream>
#include <system_error>

#include "engine/AtomicFile.h"
#include "engine/RegularFile.h"
#include "engine/TextUtil.h"

namespace zorv::expr {

namespace fs = std::filesystem;

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

std::vector<FormulaLine> splitLines(const std::string& content) {
    std::vector<FormulaLine> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back({content.substr(start, i - start)});
        if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < content.size()) lines.push_back({content.substr(start)});
    return lines;
}

}  // namespace

std::string FormulaLine::name() const {
    const auto tab = raw.find('\t');
    if (tab == std::string::npos) return {};
    return engine::text::trim(std::string_view(raw).substr(0, tab));
}

std::string FormulaLine::text() const {
    const auto tab = raw.find('\t');
    return engine::text::trim(tab == std::string::npos ? std::string_view(raw)
                                                       : std::string_view(raw).substr(tab + 1));
}

bool FormulaFile::ensureExists() const {
    std::error_code ec;
    if (fs::exists(path_, ec)) return true;
    if (path_.has_parent_path()) fs::create_directories(path_.parent_path(), ec);
    return !engine::atomicfile::write(path_.string(), "");
}

std::string FormulaFile::readAll(std::string& error) const {
    engine::FileRead read = engine::readRegularFile(path_.string(), kMaxSize);
    if (read.failure == engine::FileRead::Failure::Missing) return {};
    if (read.failure == engine::FileRead::Failure::TooLarge)
        read.reason = "The file is larger than 4 MB: too large for a formula list.";
    error = read.reason;
    return std::move(read.text);
}

FormulaFile::Loaded FormulaFile::load() const {
    std::error_code ec;
    if (!fs::exists(path_, ec) && !ec) ensureExists();
    Loaded out;
    const std::string content = readAll(out.error);
    if (out.error.empty()) out.lines = splitLines(content);
    return out;
}

std::vector<FormulaLine> FormulaFile::lines() const { return load().lines; }

std::vector<std::string> FormulaFile::names() const {
    std::vector<std::string> out;
    for (const auto& line : lines()) out.push_back(line.name());
    return out;
}

std::optional<std::string> FormulaFile::find(std::string_view name) const {
    const std::string wanted = engine::text::trim(name);
    std::optional<std::string> found;
    for (const auto& line : lines())
        if (equalsIgnoringCase(line.name(), wanted)) found = line.text();
    return found;
}

bool FormulaFile::nameTaken(std::string_view name, std::optional<std::size_t> except) const {
    const std::string wanted = engine::text::trim(name);
    const auto all = lines();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (i != except && equalsIgnoringCase(all[i].name(), wanted)) return true;
    return false;
}

std::string FormulaFile::makeLine(std::string_view name, std::string_view text) {
    std::string line;
    line.reserve(name.size() + 1 + text.size());
    for (char c : name) line += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    line += '\t';
    for (char c : text) line += (c == '\r' || c == '\n') ? ' ' : c;
    return line;
}

void FormulaFile::replaceContent(const std::string& content) const {
    if (const auto failure = engine::atomicfile::write(path_.string(), content))
        throw FormulaFileError(path_.string() + ": " + *failure);
}

void FormulaFile::add(std::string_view name, std::string_view text) {
    std::string error;
    std::string content = readAll(error);
    if (!error.empty()) throw FormulaFileError(path_.string() + ": " + error);
    // A last line without its line end would otherwise run into the new one.
    if (!content.empty() && content.back() != '\n' && content.back() != '\r') content += "\r\n";
    content += makeLine(name, text);
    content += "\r\n";
    replaceContent(content);
}

void FormulaFile::replace(std::size_t index, std::string_view name, std::string_view text) {
    const auto all = lines();
    if (index >= all.size()) throw FormulaFileError("There is no formula " + std::to_string(index + 1) + ".");
    std::string content;
    for (std::size_t i = 0; i < all.size(); ++i) {
        content += i == index ? makeLine(name, text) : all[i].raw;
        content += "\r\n";
    }
    replaceContent(content);
}

void FormulaFile::remove(std::size_t index) {
    const auto all = lines();
    if (index >= all.size()) throw FormulaFileError("There is no formula " + std::to_string(index + 1) + ".");
    std::string content;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i == index) continue;
        content += all[i].raw;
        content += "\r\n";
    }
    replaceContent(content);
}

}  // namespace zorv::expr
