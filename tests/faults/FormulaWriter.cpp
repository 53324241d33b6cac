// Rewrites the first formula of a formula file, as the formula window does
// when a formula is edited: fault_formula_writer FILE NAME TEXT.
// Exit status 0 when saved, 1 with the reason on standard error otherwise.
#include <iostream>

#include "expr/FormulaFile.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: fault_formula_writer FILE NAME TEXT\n";
        return 2;
    }
    try {
        zorv::expr::FormulaFile file(argv[1]);
        file.replace(0, argv[2], argv[3]);
    } catch (const zorv::expr::FormulaFileError& e) {
        std::cerr << "Your formula could not be saved: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
