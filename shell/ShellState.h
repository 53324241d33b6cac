#pragma once

namespace zorv::shell {

// What the shell keeps while the program runs, beside the calculation modes
// of the model: menu check marks of the main window that are not modes, and
// the calendar's year range.
struct ShellState {
    bool mnuExitMin = false;      // the exit button minimizes instead of ending
    bool mnuCalcOnTop = false;    // the main window stays above other windows
    bool mnuDontHideEval = false; // the expression window stays open after a result
    bool mnuAlarmsOn = true;
    int StartYear = 1500;
    int EndYear = 2400;
};

}  // namespace zorv::shell
