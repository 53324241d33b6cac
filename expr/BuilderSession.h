#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "expr/BuilderCalculation.h"

namespace zorv::engine {
class CalculatorModel;
}

namespace zorv::expr {

// The construction calculator as the calculator uses it: the stored
// options, the X, Y and Z lengths, and the step that writes the tape line
// and sends the value to the readout. The window and batch mode's
// {Construction Calculator (ft/in)} share it.
class BuilderSession {
public:
    // Reads a stored option ("Startup" section) by key, with its default.
    using ReadSetting = std::function<std::string(std::string_view key, std::string_view fallback)>;
    using WriteSetting = std::function<void(std::string_view key, std::string_view value)>;

    BuilderSession(engine::CalculatorModel& model, ReadSetting read, WriteSetting write = {});

    engine::CalculatorModel& model() { return model_; }

    // The stored options, read afresh, with this session's variables.
    BuilderOptions options() const;
    // Stores one option (no effect without a writer).
    void writeOption(std::string_view key, std::string_view value) const;

    // X, Y and Z as typed (a length, a number, or empty for 0).
    void setVariable(int index, std::string text);
    const std::string& variable(int index) const { return variables_.at(static_cast<std::size_t>(index)); }

    // Evaluates `text` with the stored options, messages to `feedback`. On a
    // result the tape gets "expression = result" and, when the option says
    // so, the value goes to the readout as a whole entry (inches or feet as
    // plain numbers are read, square feet, cubic feet, or the number).
    BuilderResult evaluate(std::string_view text, engine::UserFeedback& feedback);
    BuilderResult evaluate(std::string_view text);

private:
    engine::CalculatorModel& model_;
    ReadSetting read_;
    WriteSetting write_;
    std::array<std::string, 3> variables_{"0", "0", "0"};
};

// The formulas a new construction formula file starts with: name, text.
const std::vector<std::pair<std::string, std::string>>& defaultConstructionFormulas();

// Writes the default formulas to `path` when no file is there; a file that
// exists (even an empty one: the user deleted every formula) is left alone.
// Returns the reason when the file could not be written.
std::optional<std::string> seedConstructionFormulas(const std::filesystem::path& path);

// Registers {Construction Calculator (ft/in)}: its answer is the
// expression, evaluated as the window's "=" does with the stored options.
void registerConstructionCommands(engine::CalculatorModel& model, std::shared_ptr<BuilderSession> session);

}  // namespace zorv::expr
