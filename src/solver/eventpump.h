// SPDX-License-Identifier: GPL-3.0-or-later
// Lets pending window events through while long work runs on the user-interface thread.
#pragma once

namespace tarno {

// Long work calls this now and then so that windows stay responsive and nested
// commands (such as a stop) are handled while it runs.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void processPendingEvents() = 0;
};

// For callers with no event loop: command-line tools, benchmarks, fuzzing.
class NullEventPump final : public EventPump {
public:
    void processPendingEvents() override {}
};

} // namespace tarno
