// How the main window copes with a big tape: loads a saved tape of N entries
// through the Tape menu's Load command into a shown window, and prints the
// time until the window has painted it, the time one more entry then takes,
// and the resident memory before and after.
//
// usage: zorv_tape_load ENTRIES [FOLDER]   (see bench/tape_load.sh)
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include "engine/CalculatorModel.h"
#include "engine/ScriptedFeedback.h"
#include "engine/TapeCommands.h"
#include "ui/main/CalculatorWindow.h"

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// A working tape: amounts added up, a total every ten entries.
std::string tapeOf(long entries) {
    std::string text;
    text.reserve(static_cast<std::size_t>(entries) * 10);
    for (long i = 0; i < entries; ++i) {
        const long cents = 100 + (i * 7919) % 99900;
        text += std::to_string(cents / 100) + "." + std::to_string(10 + cents % 90) +
                (i % 10 == 9 ? "=\r\n" : "+\r\n");
    }
    return text;
}

void settle(QApplication& app, zorv::ui::CalculatorWindow& w) {
    app.processEvents();
    w.txtTape()->viewport()->repaint();
    app.processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ENTRIES [FOLDER]\n", argv[0]);
        return 2;
    }
    const long entries = std::stol(argv[1]);
    const std::string folder = argc > 2 ? argv[2] : "/tmp";
    const std::string file = folder + "/tape-" + std::to_string(entries) + ".txt";
    const std::string text = tapeOf(entries);
    std::ofstream(file, std::ios::binary) << text;

    QApplication app(argc, argv);
    zorv::engine::ScriptedFeedback feedback;
    zorv::engine::CalculatorModel model(feedback);
    zorv::engine::TapeCommands tape(model);
    zorv::ui::CalculatorWindow window(model);
    window.show();
    settle(app, window);
    const long before = residentKb();

    feedback.answer(file);
    QElapsedTimer timer;
    timer.start();
    tape.mnuOpenTape_Click();
    settle(app, window);
    const double loadMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!feedback.messages.empty()) {
        std::printf("%ld entries, %zu bytes: refused: %s\n", entries, text.size(),
                    feedback.messages.back().text.c_str());
        return 1;
    }

    timer.restart();
    model.PostToTape("1.00+");
    settle(app, window);
    const double appendMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const long after = residentKb();
    std::printf("%8ld entries %9zu bytes  load+paint %8.1f ms  next entry %6.1f ms  RSS %6.1f -> %6.1f MB\n",
                entries, text.size(), loadMs, appendMs, before / 1024.0, after / 1024.0);
    std::remove(file.c_str());
    return 0;
}
