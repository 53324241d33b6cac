#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace zorv::shell {

inline constexpr const char* kAppName = "Zorv Advanced Calculator";

// Where settings are kept: the per-user INI file in the window, a given INI
// file or memory in batch mode and tests.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    virtual std::optional<std::string> read(const std::string& section, const std::string& key) = 0;
    virtual void write(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void sync() {}
};

class MemorySettingsBackend : public SettingsBackend {
public:
    std::optional<std::string> read(const std::string& section, const std::string& key) override;
    void write(const std::string& section, const std::string& key, const std::string& value) override;
    std::map<std::pair<std::string, std::string>, std::string> values;
};

// Named text values in sections. Every read names its default, returned when
// the key is absent; values are converted on reading, and a value that does
// not convert falls back to the default rather than failing.
class SettingsStore {
public:
    explicit SettingsStore(std::unique_ptr<SettingsBackend> backend);

    std::string ReadSetting(const std::string& section, const std::string& key,
                            const std::string& defaultValue) const;
    void WriteSetting(const std::string& section, const std::string& key, const std::string& value);

    // A flag reads "True"/"False" (any letter case) or any number text,
    // non-zero being true.
    bool readFlag(const std::string& section, const std::string& key, bool defaultValue) const;
    // A number reads as a number text; anything else gives the default.
    double readNumber(const std::string& section, const std::string& key, double defaultValue) const;
    int readInt(const std::string& section, const std::string& key, int defaultValue) const;

    static std::optional<bool> toFlag(const std::string& text);
    static std::optional<double> toNumber(const std::string& text);
    // The text a number is stored as: the shortest C form ("1", "0.55").
    static std::string numberText(double value);

    SettingsBackend& backend() { return *backend_; }

private:
    std::unique_ptr<SettingsBackend> backend_;
};

}  // namespace zorv::shell
