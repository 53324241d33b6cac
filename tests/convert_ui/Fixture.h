#pragma once

// A model with a scripted feedback and settings held in a map, for the
// conversion windows.
#include <map>
#include <string>

#include "convert/ConverterCommands.h"
#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "tests/support/TestFiles.h"

namespace zorv::test {

struct ConverterFixture {
    engine::ScriptedFeedback feedback;
    engine::CalculatorModel model{feedback};
    std::map<std::string, std::string> stored;
    TempDir dir;
    convert::Date today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{8}};

    convert::ConverterSettings settings() {
        convert::ConverterSettings s;
        s.read = [this](const std::string& key, const std::string& fallback) {
            const auto it = stored.find(key);
            return it == stored.end() ? fallback : it->second;
        };
        s.write = [this](const std::string& key, const std::string& value) { stored[key] = value; };
        s.dataFolder = dir.path.string();
        s.today = [this] { return today; };
        return s;
    }
    std::string ratesPath() const { return dir / "currency.rt"; }
};

}  // namespace zorv::test
