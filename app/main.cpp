// zorvcalc: the calculator window, or with --batch the calculator driven by
// keys on standard input with the tape written to standard output.
#include <QApplication>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/BatchSession.h"
#include "app/CommandWiring.h"
#include "app/GuiSession.h"
#include "platform/StartupWarmup.h"
#include "timedate/InputError.h"

namespace {

void printUsage(std::ostream& out) {
    out << "usage: zorvcalc [--settings FILE] [--data-dir DIR] [--now TIME] [/NIC]\n"
           "       zorvcalc --batch [--settings FILE] [--data-dir DIR] [--now TIME]\n"
           "                [--journal DIR] < keys\n"
           "       zorvcalc --help | --version\n"
           "\n"
           "  --batch          run without a window: each character of standard input is\n"
           "                   a key, {NAME} a named key or command, [TEXT] an answer;\n"
           "                   the tape goes to standard output, messages, beeps and the\n"
           "                   readout to standard error\n"
           "  --settings FILE  use the INI file FILE as the settings store (in batch mode\n"
           "                   the settings the run changes are written back to it)\n"
           "  --data-dir DIR   use DIR as the data folder (formulas, notes, debug log)\n"
           "  --journal DIR    (batch) start from the tape kept in DIR, print it before\n"
           "                   the new lines and keep the result there\n"
           "  --now TIME       take TIME (2026-12-08T09:00:00, local time unless it ends\n"
           "                   in Z or +hh:mm) as the clock's reading for the project\n"
           "                   timer, today's date and alarms; ZORV_NOW does the same\n"
           "  /NIC             start even while another copy runs, and end after Edit >\n"
           "                   Insert into Previous Program (any letter case: /nic)\n"
           "  --help, -h       show this text and exit\n"
           "  --version        show the version and exit\n"
           "\n"
           "Qt's own options (such as -platform offscreen) are passed on to Qt.\n";
}

void printVersion(std::ostream& out) { out << "Zorv Advanced Calculator " ZORV_VERSION "\n"; }

struct CommandLine {
    bool batch = false;
    bool ok = true;
    zorv::app::BatchOptions options;
    std::string rest;  // what is left for the window's own start-up ("/NIC")
};

CommandLine parse(const std::vector<std::string>& args) {
    CommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--batch") {
            cl.batch = true;
        } else if ((a == "--settings" || a == "--data-dir") && i + 1 < args.size()) {
            (a == "--settings" ? cl.options.settingsFile : cl.options.dataDir) = args[++i];
        } else if (a == "--journal" && i + 1 < args.size()) {
            cl.options.journalDir = args[++i];
        } else if (a == "--now" && i + 1 < args.size()) {
            cl.options.now = args[++i];
        } else if (!a.empty() && a[0] == '/') {
            // Windows-style switches such as /NIC belong to the window's start-up.
            cl.rest += (cl.rest.empty() ? "" : " ") + a;
        } else {
            cl.ok = false;
        }
    }
    return cl;
}

// A --now (or ZORV_NOW) that is not a date and time stops the start with
// the reason, rather than running on the system clock unnoticed.
bool clockReadable(const CommandLine& cl) {
    try {
        zorv::app::programClock(cl.options.now);
        return true;
    } catch (const zorv::timedate::InputError& e) {
        std::cerr << "zorvcalc: --now: " << e.what() << "\n";
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> raw(argv + 1, argv + argc);
    // --help and --version answer before anything else, without a display.
    for (const auto& a : raw) {
        if (a == "--help" || a == "-h") {
            printUsage(std::cout);
            return 0;
        }
        if (a == "--version") {
            printVersion(std::cout);
            return 0;
        }
    }
    // Batch mode needs no display: decide before Qt looks at the arguments.
    bool batch = false;
    for (const auto& a : raw) batch = batch || a == "--batch";
    if (batch) {
        const CommandLine cl = parse(raw);
        if (!cl.ok) {
            printUsage(std::cerr);
            return 2;
        }
        if (!clockReadable(cl)) return 2;
        std::ios::sync_with_stdio(false);
        return zorv::app::runBatch(std::cin, std::cout, std::cerr, cl.options);
    }

    // The calculator draws with the raster engine only and never uses
    // OpenGL; without this, Qt's X11 platform loads its GLX integration and
    // the GL libraries at every start (about 6 ms). A value the user set
    // stays as it is.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")) qputenv("QT_XCB_GL_INTEGRATION", "none");
    // The font configuration loads in a second thread while Qt starts.
    zorv::platform::FontConfigWarmup fonts;
    QApplication app(argc, argv);  // takes Qt's own options such as -platform
    fonts.wait();
    std::vector<std::string> args;
    const QStringList qargs = QApplication::arguments();
    for (qsizetype i = 1; i < qargs.size(); ++i) args.push_back(qargs[i].toStdString());
    const CommandLine cl = parse(args);
    if (!cl.ok) {
        printUsage(std::cerr);
        return 2;
    }
    if (!clockReadable(cl)) return 2;
    zorv::app::GuiOptions options;
    options.settingsFile = cl.options.settingsFile;
    options.dataDir = cl.options.dataDir;
    options.now = cl.options.now;
    options.commandLine = cl.rest;
    return zorv::app::runGui(app, options);
}
