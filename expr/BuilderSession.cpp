#include "expr/BuilderSession.h"

#include "engine/AtomicFile.h"
#include "engine/CalculatorModel.h"
#include "engine/CommandTable.h"
#include "engine/Decimal.h"
#include "expr/FormulaFile.h"

#include <system_error>

namespace zorv::expr {

BuilderSession::BuilderSession(engine::CalculatorModel& model, ReadSetting read, WriteSetting write)
    : model_(model), read_(std::move(read)), write_(std::move(write)) {}

BuilderOptions BuilderSession::options() const {
    BuilderOptions o = readBuilderOptions(
        [this](std::string_view key, std::string_view fallback) {
            return read_ ? read_(key, fallback) : std::string(fallback);
        });
    o.variables = variables_;
    return o;
}

void BuilderSession::writeOption(std::string_view key, std::string_view value) const {
    if (write_) write_(key, value);
}

void BuilderSession::setVariable(int index, std::string text) {
    if (index < 0 || index > 2) return;
    if (text.find_first_not_of(" \t") == std::string::npos) text = "0";
    variables_[static_cast<std::size_t>(index)] = std::move(text);
}

BuilderResult BuilderSession::evaluate(std::string_view text) { return evaluate(text, model_.feedback()); }

BuilderResult BuilderSession::evaluate(std::string_view text, engine::UserFeedback& feedback) {
    BuilderResult result = evaluateDimensions(text, options(), feedback);
    if (!result.ok) return result;
    model_.postToTape(result.tapeLine);
    if (result.readout.empty()) return result;
    // The value is plain decimal text with "."; the readout writes the
    // locale's decimal symbol.
    std::string local;
    for (char c : result.readout) {
        if (c == '.') local += model_.decimalSymbol();
        else local += c;
    }
    try {
        const std::string shown = model_.toText(model_.toDecimal(local));
        model_.setEntryState(engine::EntryState::Number);
        model_.setReadout(shown);
        model_.normalizeReadout();
        model_.markFreshResult();
    } catch (const engine::DecimalError&) {
        // Beyond what the readout holds: the tape has the result, the
        // readout keeps its value.
        result.readout.clear();
        feedback.showMessage("The result is too large for the readout.", std::string(engine::kProductName),
                             engine::MessageIcon::Information);
    }
    return result;
}

const std::vector<std::pair<std::string, std::string>>& defaultConstructionFormulas() {
    static const std::vector<std::pair<std::string, std::string>> formulas = {
        {"Rectangle area (X by Y)", "X*Y"},
        {"Perimeter (X by Y)", "2(X+Y)"},
        {"Slab volume (X by Y, Z thick)", "X*Y*Z"},
        {"Circle area (X across)", "PI*X^2/4"},
        {"Rafter length (X run, Y rise)", "(X^2+Y^2)^.5"},
        {"Stair risers (X total rise, Y riser)", "X/Y"},
        {"Stair riser height (X total rise, Y risers)", "X/Y"},
        {"Stair stringer (X total run, Y total rise)", "(X^2+Y^2)^.5"},
    };
    return formulas;
}

std::optional<std::string> seedConstructionFormulas(const std::filesystem::path& path) {
    std::error_code ec;
    // Only a path that is plainly not there is seeded; one that cannot be
    // looked at is left to the reader to report.
    if (std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found)
        return std::nullopt;
    std::string content;
    for (const auto& [name, text] : defaultConstructionFormulas()) content += FormulaFile::makeLine(name, text) + "\r\n";
    std::filesystem::create_directories(path.parent_path(), ec);
    return engine::atomicfile::write(path.string(), content);
}

void registerConstructionCommands(engine::CalculatorModel& model, std::shared_ptr<BuilderSession> session) {
    model.commands().add(engine::CommandId::ConstructionCalculator, [&model, session] {
        const auto text = model.feedback().askText("Feet-inch expression, e.g. 12'6-3/8\" + 3'0-1/4\"",
                                                   "Construction Calculator (ft/in)", "");
        if (!text || text->find_first_not_of(" \t") == std::string::npos) return;
        session->evaluate(*text);
    });
}

}  // namespace zorv::expr
