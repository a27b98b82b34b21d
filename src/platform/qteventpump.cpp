// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's event processing behind the core's EventPump.
#include "platform/qteventpump.h"

#include <QCoreApplication>

namespace tarno {

void QtEventPump::processPendingEvents() {
    // Input is let through as well: the movie's stop command arrives as a click.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace tarno
