// Typing the readout into the program used before, with the window and the
// keystrokes replaced by a recording fake.
#include <gtest/gtest.h>

#include "engine/CalculatorModel.h"
#include "engine/KeyScript.h"
#include "engine/ScriptedFeedback.h"
#include "shell/InsertIntoPrevious.h"

using namespace zorv;

namespace {

struct Insert {
    engine::ScriptedFeedback fb;
    engine::CalculatorModel model{fb};
    std::vector<std::string> log;  // what the window and platform were asked, in order
    bool canType = true;
    bool typingWorks = true;
    bool calcOnTop = false;
    shell::InsertTarget target;

    Insert() {
        model.modes().financial = false;
        model.commands().add(zorv::engine::CommandId::CalcOnTop, [this] { calcOnTop = !calcOnTop; },
                             [this] { return calcOnTop; });
        target.canType = [this] { return canType; };
        target.typeText = [this](const std::string& t) {
            log.push_back("type " + t);
            return typingWorks;
        };
        target.copyToClipboard = [this](const std::string& t) { log.push_back("clipboard " + t); };
        target.minimise = [this] { log.push_back("minimise"); };
        target.showNormal = [this] { log.push_back("show"); };
        target.yield = [] {};
        target.exitProgram = [this] { log.push_back("exit"); };
    }
    void keys(const std::string& k) {
        engine::runKeyScript(model, engine::parseKeyScript(k), {});
    }
    void run(bool nic = false) { shell::insertIntoPreviousProgram(model, target, nic); }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(InsertIntoPrevious, TypesThePlainValueAndStaysMinimised) {
    const std::pair<const char*, const char*> cases[] = {
        {"12", "12"}, {"0012.50", "12.5"}, {"5{+/-}", "-5"}, {"", "0"}, {"1.", "1"}};
    for (auto [keys, typed] : cases) {
        Insert t;
        t.keys(keys);
        t.run();
        EXPECT_EQ(t.log, (Log{"minimise", std::string("type ") + typed})) << keys;
        EXPECT_TRUE(t.fb.messages.empty()) << keys;
    }
}

TEST(InsertIntoPrevious, CalcOnTopBringsTheWindowBackAndNicExits) {
    Insert t;
    t.calcOnTop = true;
    t.keys("7");
    t.run();
    EXPECT_EQ(t.log, (Log{"minimise", "type 7", "show"}));

    Insert nic;
    nic.calcOnTop = true;
    nic.keys("42");
    nic.run(true);
    EXPECT_EQ(nic.log, (Log{"minimise", "type 42", "exit"}));
}

TEST(InsertIntoPrevious, WithoutKeystrokesTheValueGoesToTheClipboard) {
    Insert t;
    t.canType = false;
    t.keys("3.25");
    t.run(true);
    // Nothing minimised, and no exit: the clipboard must outlive the insert.
    EXPECT_EQ(t.log, (Log{"clipboard 3.25"}));
    ASSERT_EQ(t.fb.messages.size(), 1u);
    EXPECT_EQ(t.fb.messages[0].text, shell::clipboardFallbackText("3.25"));
    EXPECT_NE(t.fb.messages[0].text.find("3.25 could not be typed"), std::string::npos);

    Insert failed;
    failed.typingWorks = false;
    failed.keys("8");
    failed.run(true);
    EXPECT_EQ(failed.log, (Log{"minimise", "type 8", "show", "clipboard 8"}));
    EXPECT_EQ(failed.fb.messages.size(), 1u);
}

TEST(InsertIntoPrevious, AReadoutThatIsNoNumberInsertsNothing) {
    Insert t;
    t.model.setReadout("1.2.3");
    t.model.setEntryState(engine::EntryState::Number);
    t.run();
    EXPECT_TRUE(t.log.empty());
    EXPECT_EQ(t.fb.messageTexts(), std::vector<std::string>{"Invalid value!"});
}

TEST(InsertIntoPrevious, NicCommandLine) {
    for (const char* yes : {"/NIC", "/nic", "/Nic"}) EXPECT_TRUE(shell::isNicCommandLine(yes)) << yes;
    for (const char* no : {"", "/NICE", "NIC", "/NIC /NIC", "-nic"})
        EXPECT_FALSE(shell::isNicCommandLine(no)) << no;
}
