// tarno-solve: answers puzzle requests, one per line, from files or standard input.
#include "solver/search.h"

#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

const char* const kHelp =
    "Usage: tarno-solve [--stats] [FILE...]\n"
    "Reads puzzle requests, one per line, from the FILEs or from standard input\n"
    "(\"-\" also names standard input). A request is the argument text of the\n"
    "\"solvepuzzle\" command, for example tarno9*9,3230,3001,0012,...\n"
    "Prints one line per request in the same order: the answer (the pieces of\n"
    "cells 1..count followed by their rotations), or an empty line when the\n"
    "puzzle has no solution or the request is malformed.\n"
    "A carriage return at the end of a line is ignored.\n"
    "\n"
    "  --stats  also print, on standard error, one line per request:\n"
    "           <outcome> nodes=<pieces laid> time=<microseconds>us [<why malformed>]\n"
    "           outcome is solved, no-solution or malformed\n"
    "  --help   print this text\n"
    "\n"
    "Exit status: 0 when every input could be read, 2 for a bad option or file.\n";

struct Run {
    bool stats = false;
    std::uint64_t line = 0;

    void answer(std::istream& in) {
        tarno::NullEventPump pump;
        std::atomic<bool> stop{false};
        std::string text;
        while (std::getline(in, text)) {
            ++line;
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            const auto start = std::chrono::steady_clock::now();
            const tarno::SolveResult r = tarno::SolveRequest(tarno::splitItems(text), pump, stop);
            const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
            std::cout << r.answer << '\n';
            if (stats) {
                std::cerr << tarno::outcomeName(r.outcome) << " nodes=" << r.stats.nodes
                          << " time=" << us << "us";
                if (!r.problem.empty())
                    std::cerr << " (" << r.problem << ")";
                std::cerr << '\n';
            }
        }
        std::cout.flush();
    }
};

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    Run run;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << kHelp;
            return 0;
        }
        if (std::strcmp(argv[i], "--stats") == 0)
            run.stats = true;
        else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            std::cerr << "tarno-solve: unknown option " << argv[i] << "\n" << kHelp;
            return 2;
        } else
            files.push_back(argv[i]);
    }
    if (files.empty())
        files.push_back("-");
    int status = 0;
    for (const char* name : files) {
        if (std::strcmp(name, "-") == 0) {
            run.answer(std::cin);
            continue;
        }
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            std::cerr << "tarno-solve: cannot read " << name << "\n";
            status = 2;
            continue;
        }
        run.answer(in);
    }
    return status;
}
