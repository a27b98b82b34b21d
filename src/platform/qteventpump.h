// SPDX-License-Identifier: GPL-3.0-or-later
// Lets Qt's pending events through while the solver works on the user-interface thread.
#pragma once

#include "solver/eventpump.h"

namespace tarno {

class QtEventPump final : public EventPump {
public:
    void processPendingEvents() override;
};

} // namespace tarno
