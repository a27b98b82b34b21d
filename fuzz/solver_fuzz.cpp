// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: reads any bytes as a "solvepuzzle" argument text, solves it with a node
// cap, and holds the answer against the literal step machine whenever that one finishes.
#include "model/literalsolver.h"
#include "solver/search.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Small enough that every input ends in a few milliseconds.
constexpr std::uint64_t kNodeCap = 20'000;

[[noreturn]] void disagree(const std::string& text, const char* what, const std::string& fast,
                           const std::string& literal) {
    std::fprintf(stderr, "fast and literal disagree on %s\nrequest: %s\nfast:    %s\nliteral: %s\n",
                 what, text.c_str(), fast.c_str(), literal.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> items = tarno::splitItems(text);
    tarno::NullEventPump pump;
    std::atomic<bool> stop{false};
    const auto literal = tarno::model::solveLiterally(items, kNodeCap);
    tarno::SolveOptions options;
    // The fast search lays a subset of the literal machine's pieces, so this cap lets it
    // finish whenever the literal one did.
    options.nodeLimit = kNodeCap + 512;
    const tarno::SolveResult fast = tarno::SolveRequest(items, pump, stop, options);
    if (fast.outcome != tarno::SolveOutcome::Solved && !fast.answer.empty())
        disagree(text, "an answer without a solution", fast.answer, "");
    if (literal.outcome == tarno::SolveOutcome::Stopped)
        return 0;
    if (fast.outcome != literal.outcome)
        disagree(text, "the outcome", tarno::outcomeName(fast.outcome),
                 tarno::outcomeName(literal.outcome));
    if (fast.answer != literal.answer)
        disagree(text, "the answer", fast.answer, literal.answer);
    return 0;
}
