#pragma once

#include <functional>
#include <string>

#include "engine/CalculatorModel.h"

namespace zorv::shell {

// What typing the readout into another program needs from the window and
// the platform.
struct InsertTarget {
    // Whether keystrokes can reach other programs on this desktop at all.
    std::function<bool()> canType;
    // Types the text into the window that has the focus; false if that failed.
    std::function<bool(const std::string& text)> typeText;
    std::function<void(const std::string& text)> copyToClipboard;
    std::function<void()> minimise;
    std::function<void()> showNormal;
    // Lets pending window events (focus changes, repaints) happen.
    std::function<void()> yield;
    std::function<void()> exitProgram;
};

// The text the user is told when the value went to the clipboard instead.
std::string clipboardFallbackText(const std::string& value);

// Completes the entry, minimises the calculator so the focus returns to the
// program used before, and types the plain readout value there. With
// `exitAfterwards` (started with "/NIC") the calculator then exits; else,
// when "Calc On Top" is on, it comes back. Where keystrokes cannot be sent,
// the value goes to the clipboard, the user is told so and the calculator
// stays open, so that the clipboard keeps the value.
void insertIntoPreviousProgram(engine::CalculatorModel& model, const InsertTarget& target,
                             bool exitAfterwards);

// Whether the command line asks to exit after inserting ("/NIC", any case).
bool isNicCommandLine(const std::string& commandLine);

}  // namespace zorv::shell
