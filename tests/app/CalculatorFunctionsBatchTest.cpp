// Percent, the Sci menu, RPN and the tape commands in batch mode, reached
// by their keys and catalogue item texts, with file names as answers.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/BatchSession.h"

using zorv::app::BatchOptions;
using zorv::app::runBatch;

namespace {

const std::string kPlain = "[Startup]\nFinancial Mode=False\nFormat Numbers=0\nCarry Result=0\n";

struct BatchRun {
    QTemporaryDir dir;
    std::string out, err;
    std::string path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
    BatchRun& batch(const std::string& keys, const std::string& ini = kPlain) {
        BatchOptions options;
        options.settingsFile = path("settings.ini");
        std::ofstream(*options.settingsFile) << ini;
        options.dataDir = path("data");
        std::istringstream in(keys);
        std::ostringstream o, e;
        runBatch(in, o, e, options);
        out = o.str();
        err = e.str();
        return *this;
    }
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(BatchFunctions, KeysAndCatalogueTextsReachTheFunctions) {
    BatchRun r;
    r.batch("200+15%9R{Radiants}{Pi}{Cosine}{Degrees}0.75{Convert to Fractions}");
    EXPECT_EQ(r.out,
              "200+\r\n15%\r\n30\r\n------------------\r\n230.\r\n******************\r\n"
              "sqrt(9) = 3\r\n"
              "Pi = 3.1415926535897932384626433833\r\n"
              "cos(3.1415926535897932384626433833 rad) = -1\r\n"
              "0.75 = 3/4\r\n");
    EXPECT_EQ(r.err, "readout: 0.75\n");
}

TEST(BatchFunctions, DomainErrorsAreMessagesNotNumbers) {
    BatchRun r;
    r.batch("4{+/-}R{CE}90{Tangent}");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Zorv Advanced Calculator: Square Root of -4 is not defined.\n"
              "Zorv Advanced Calculator: Tangent of 90 degrees is not defined.\n"
              "readout: 90.\n");
}

TEST(BatchTape, SaveLoadAndRefusedFiles) {
    BatchRun r;
    const std::string saved = r.path("MyTape.txt");
    r.batch("5+3={Save Tape to File}[" + saved + "]");
    EXPECT_EQ(slurp(saved), r.out);

    BatchRun again;
    const std::string binary = again.path("image.png");
    std::ofstream(binary, std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    again.batch("1+{Load Saved Tape}[" + binary + "]{Load Saved Tape}[" + saved + "][yes]N[checked]");
    EXPECT_EQ(again.out, slurp(saved) + "checked\r\n");
    EXPECT_NE(again.err.find("The tape could not be loaded from | " + binary +
                             " | The file is not a text file."),
              std::string::npos)
        << again.err;
}

}  // namespace
