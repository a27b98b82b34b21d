// SPDX-License-Identifier: GPL-3.0-or-later
// Appends results one after another and prints how long each AppendRecord call took,
// so the readers benchmark sees the append's own wait without a process start.
// Usage: scores_append_probe FILE COUNT GAP_MS
// Prints one line per append: "ok MICROSECONDS NUMBER" or "fail MICROSECONDS REASON".
#include "scores/scorefile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: scores_append_probe FILE COUNT GAP_MS\n");
        return 2;
    }
    tarno::ScoreFile file(argv[1]);
    const int count = std::atoi(argv[2]);
    const auto gap = std::chrono::milliseconds(std::atoi(argv[3]));
    for (int i = 0; i < count; ++i) {
        const tarno::ScoreRecord record{1, tarno::fitName("probe" + std::to_string(i)), i, 0, 0};
        const auto start = std::chrono::steady_clock::now();
        const auto n = file.AppendRecord(record);
        const long long us = std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count();
        if (n.ok())
            std::printf("ok %lld %lld\n", us, static_cast<long long>(n.value()));
        else
            std::printf("fail %lld %s\n", us, n.error().text().c_str());
        std::fflush(stdout);
        std::this_thread::sleep_for(gap);
    }
    return 0;
}
