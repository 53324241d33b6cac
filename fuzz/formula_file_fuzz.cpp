// Any bytes as a formula file (evalform.frm, consform.frm): it loads, every
// name and text is trimmed and one line, and adding a formula keeps every
// line that was there byte for byte and finds the new one.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/TextUtil.h"
#include "expr/FormulaFile.h"

using namespace zorv;
namespace fs = std::filesystem;

namespace {

// One temporary folder for the whole run, removed when the run ends.
struct Folder {
    fs::path path;
    Folder() {
        std::string t = (fs::temp_directory_path() / "zorv-formula-fuzz-XXXXXX").string();
        path = ::mkdtemp(t.data());
    }
    ~Folder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

const fs::path& folder() {
    static const Folder made;
    return made.path;
}

bool oneLine(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const fs::path path = folder() / "evalform.frm";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    const expr::FormulaFile file(path);
    const auto before = file.load();
    if (!before.error.empty()) std::abort();
    for (const auto& line : before.lines) {
        if (!oneLine(line.raw)) std::abort();
        if (line.name() != engine::text::trim(line.name())) std::abort();
        if (line.text() != engine::text::trim(line.text())) std::abort();
        if (!line.name().empty() && file.find(line.name()) == std::nullopt) std::abort();
    }

    // Adding writes and flushes the file to the disk, which is slow: one
    // input in eight, chosen by its first byte, also checks the add.
    if (size == 0 || data[0] % 8 != 0) return 0;
    // The input split in two makes the name and the text of a new formula.
    const std::size_t cut = size / 2;
    const std::string name = bytes.substr(0, cut), text = bytes.substr(cut);
    expr::FormulaFile(path).add(name, text);
    const auto after = file.load();
    if (after.lines.size() != before.lines.size() + 1) std::abort();
    for (std::size_t i = 0; i < before.lines.size(); ++i)
        if (after.lines[i].raw != before.lines[i].raw) std::abort();
    const auto& added = after.lines.back();
    if (added.raw != expr::FormulaFile::makeLine(name, text)) std::abort();
    if (file.find(added.name()) != added.text()) std::abort();
    return 0;
}
