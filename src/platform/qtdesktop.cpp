// SPDX-License-Identifier: GPL-3.0-or-later
// Programs start without a shell, so an address full of shell characters still
// reaches the browser as one argument.
#include "platform/qtdesktop.h"

#include "platform/appidentity.h"
#include "platform/giolauncher.h"
#include "platform/maker.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace tarno {

bool QtDesktop::isProgram(const std::string& path) const {
    const QString name = QString::fromStdString(path);
    if (name.isEmpty())
        return false;
    if (!name.contains(QLatin1Char('/')))
        return !QStandardPaths::findExecutable(name).isEmpty();
    const QFileInfo file(name);
    return file.isFile() && file.isExecutable();
}

bool QtDesktop::startProgram(const std::string& program,
                             const std::vector<std::string>& arguments) {
    if (program.empty())
        return false;
    QStringList args;
    args.reserve(static_cast<qsizetype>(arguments.size()));
    for (const std::string& arg : arguments)
        args << QString::fromStdString(arg);
    return QProcess::startDetached(QString::fromStdString(program), args);
}

void QtDesktop::showWarning(const std::string& title, const std::string& text) {
    showWarning(title, text, {});
}

void QtDesktop::showWarning(const std::string& title, const std::string& text,
                            const std::string& detail) {
    // Labels here break lines at LF alone; a CR would show as a stray glyph.
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), shown, QMessageBox::Ok,
                    m_parent);
    box.setTextFormat(Qt::PlainText);
    if (!detail.empty())
        box.setDetailedText(QString::fromStdString(detail));
    box.exec();
}

std::string helpPageAddress() {
    return tarno::helpPageAddress(maker::kHost, maker::kHelpPageAddress,
                                  dataFolder().toStdString());
}

std::string webSiteButtonAddress() {
    return tarno::webSiteButtonAddress(maker::kHost, maker::kWebSiteAddress, helpPageAddress());
}

void openWebSiteWithDesktop(QWidget* parent) {
    GioLauncher launcher;
    QtDesktop desktop(parent);
    openWithHandler(launcher, desktop, webSiteButtonAddress(), helpPageAddress(), false);
}

void openHelpPageWithDesktop(QWidget* parent) {
    GioLauncher launcher;
    QtDesktop desktop(parent);
    const std::string help = helpPageAddress();
    openWithHandler(launcher, desktop, help, help, true);
}

} // namespace tarno
