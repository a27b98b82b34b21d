// SPDX-License-Identifier: GPL-3.0-or-later
// The program's name as the desktop sees it.
#include "platform/appidentity.h"

#include "platform/maker.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

namespace tarno {

void setApplicationIdentity() {
    QGuiApplication::setApplicationName(QStringLiteral("tarno-playroom"));
    // The installed desktop entry, so that the desktop files the windows under it.
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(maker::kAppId.data(), static_cast<qsizetype>(maker::kAppId.size())));
}

QString dataFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    if (program.exists(QStringLiteral("modules")))
        return program.absolutePath();
    return QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../../share/tarno-playroom")));
}

} // namespace tarno
