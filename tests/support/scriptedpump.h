// SPDX-License-Identifier: GPL-3.0-or-later
// An event pump for tests: counts the times a solve lets events through and runs
// onCall(n) on the n-th, as if the movie had sent a command or a stop meanwhile.
#pragma once

#include "solver/eventpump.h"

#include <functional>

namespace tarno {

struct ScriptedPump final : EventPump {
    std::function<void(int call)> onCall;
    int calls = 0;
    void processPendingEvents() override {
        ++calls;
        if (onCall)
            onCall(calls);
    }
};

inline std::function<void(int)> onFirstCall(std::function<void()> action) {
    return [action = std::move(action)](int call) {
        if (call == 1)
            action();
    };
}

} // namespace tarno
