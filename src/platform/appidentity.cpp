// The program's name as the desktop sees it.
#include "platform/appidentity.h"

#include <QGuiApplication>

namespace tarno {

void setApplicationIdentity() {
    QGuiApplication::setApplicationName(QStringLiteral("tarno-playroom"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarno-playroom"));
}

} // namespace tarno
