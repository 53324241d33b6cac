#include "SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

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

std::optional<double> SettingsStore::toNumber(const std::string& text) {
    const std::string t = trimmed(text);
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
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
