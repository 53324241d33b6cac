#include "SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace zorv::shell {

std::optional<std::string> MemorySettingsBackend::read(const std::string& section,
                                                       const std::string& key) {
    auto it = values.find({section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
}

void MemorySettingsBackend::write(const std::string& section, const std::string& key,
                                  const std::string& value) {
    values[{section, key}] = value;
}

SettingsStore::SettingsStore(std::unique_ptr<SettingsBackend> backend)
    : backend_(backend ? std::move(backend) : std::make_unique<MemorySettingsBackend>()) {}

std::string SettingsStore::ReadSetting(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
    return backend_->read(section, key).value_or(defaultValue);
}

void SettingsStore::WriteSetting(const std::string& section, const std::string& key,
                                 const std::string& value) {
    backend_->write(section, key, value);
}

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

}  // namespace

// Numbers are written and read in the C form ("0.55") whatever the user's
// locale, so a value written under one locale reads back under another.
std::optional<double> SettingsStore::toNumber(const std::string& text) {
    std::string t = trimmed(text);
    if (!t.empty() && t[0] == '+') t.erase(0, 1);
    if (t.empty() || t[0] == '+' || t[0] == ' ') return std::nullopt;
    double v = 0;
    const char* end = t.data() + t.size();
    const auto [ptr, ec] = std::from_chars(t.data(), end, v, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string SettingsStore::numberText(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";  // never "-0"
    char buf[64];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("0");
}

std::optional<bool> SettingsStore::toFlag(const std::string& text) {
    std::string t = trimmed(text);
    std::transform(t.begin(), t.end(), t.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (t == "true") return true;
    if (t == "false") return false;
    if (auto n = toNumber(t)) return *n != 0.0;
    return std::nullopt;
}

bool SettingsStore::readFlag(const std::string& section, const std::string& key,
                             bool defaultValue) const {
    auto v = backend_->read(section, key);
    if (!v) return defaultValue;
    return toFlag(*v).value_or(defaultValue);
}

double SettingsStore::readNumber(const std::string& section, const std::string& key,
                                 double defaultValue) const {
    auto v = backend_->read(section, key);
    if (!v) return defaultValue;
    return toNumber(*v).value_or(defaultValue);
}

int SettingsStore::readInt(const std::string& section, const std::string& key,
                           int defaultValue) const {
    const double d = readNumber(section, key, defaultValue);
    if (d < -2147483648.0 || d > 2147483647.0) return defaultValue;
    return static_cast<int>(std::lround(d));
}

}  // namespace zorv::shell
