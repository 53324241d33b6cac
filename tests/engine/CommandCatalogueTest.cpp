// The catalogue keeps the last handler of a command registered twice and
// reports the command, so that a composition registering it twice is seen.
#include <gtest/gtest.h>

#include "engine/CommandCatalogue.h"

using namespace zorv::engine;

TEST(CommandCatalogue, ReportsACommandRegisteredTwiceAndRunsTheLastHandler) {
    CommandCatalogue c;
    std::string ran;
    c.add(CommandId::PrintTape, [&ran] { ran += "first "; });
    c.addWithArgument(CommandId::Evaluate, [&ran](std::string_view a) { ran += std::string(a) + " "; });
    EXPECT_TRUE(c.registeredTwice().empty());

    c.add(CommandId::PrintTape, [&ran] { ran += "second "; });
    c.addWithArgument(CommandId::Evaluate, [&ran](std::string_view a) { ran += "again:" + std::string(a) + " "; });
    c.add(CommandId::About, [] {});
    EXPECT_EQ(c.registeredTwice(), (std::vector<CommandId>{CommandId::PrintTape, CommandId::Evaluate}));

    EXPECT_TRUE(c.run(CommandId::PrintTape));
    EXPECT_TRUE(c.run(std::string_view("Eval 1+2")));
    EXPECT_EQ(ran, "second again:1+2 ");
}
