// The browser found through the desktop's own associations, started for real: each case
// builds its own XDG folders with a desktop entry for a fake browser script that writes
// down the arguments it receives.
#include "shell/maker.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

// Readable failures: gtest would print a QString as its UTF-16 code units.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace tarno {
namespace {

const QString kHelp = QString::fromUtf8(maker::kHelpPageAddress.data(),
                                        static_cast<int>(maker::kHelpPageAddress.size()));
const QString kWebSite = QString::fromUtf8(maker::kWebSiteAddress.data(),
                                           static_cast<int>(maker::kWebSiteAddress.size()));
const QString kErrorLine =
    QStringLiteral("message\tError\twarning\t1\tCannot execute default browser.\\n"
                   "Please, manually go to following URL to obtain help for Tarno Games:\\n%1")
        .arg(kHelp);

class XdgDesktop {
public:
    XdgDesktop() {
        for (const char* dir : {"data/applications", "config", "sys", "etc", "home"})
            QDir(m_root.path()).mkpath(QString::fromLatin1(dir));
    }

    QString path(const QString& relative) const { return m_root.filePath(relative); }

    // A browser that writes the number of its arguments, then each one in <>, to `out`.
    QString writeBrowser(const QString& relativeDir, const QString& out) {
        QDir(m_root.path()).mkpath(relativeDir);
        const QString file = path(relativeDir + QStringLiteral("/fake-browser"));
        QFile script(file);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "out='%1'\n"
                                    "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do "
                                    "printf '<%s>\\n' \"$a\"; done; } > \"$out.tmp\"\n"
                                    "mv \"$out.tmp\" \"$out\"\n")
                         .arg(out)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);
        return file;
    }

    void writeEntry(const QString& id, const QString& exec, const QString& mimeTypes) {
        QFile entry(path(QStringLiteral("data/applications/") + id));
        EXPECT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Fake browser\n"
                                   "Exec=%1\nMimeType=%2\n")
                        .arg(exec, mimeTypes)
                        .toUtf8());
    }

    void setDefaults(const QString& lines) {
        QFile list(path(QStringLiteral("config/mimeapps.list")));
        EXPECT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(("[Default Applications]\n" + lines).toUtf8());
    }

    // Runs the probe in a fresh process that sees only these folders.
    QStringList probe(const QString& mode) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& key : env.keys())
            if (key.startsWith(QLatin1String("XDG_")))
                env.remove(key);
        env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), path(QStringLiteral("sys")));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), path(QStringLiteral("etc")));
        env.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(TARNO_BROWSERSTART_PROBE), {mode});
        EXPECT_TRUE(process.waitForFinished(30000)) << mode.toStdString();
        EXPECT_EQ(process.exitCode(), 0) << mode.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_root;
};

// The arguments the fake browser wrote, once it has run.
QStringList argumentsWritten(const QString& out) {
    if (!QTest::qWaitFor([&] { return QFile::exists(out); }, 10000))
        return {QStringLiteral("(browser never ran)")};
    QFile file(out);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    file.close();
    QFile::remove(out);
    return lines;
}

TEST(BrowserStart, PathWithSpacesStartsWholeWithTheAddressAlone) {
    XdgDesktop desktop;
    const QString out = desktop.path(QStringLiteral("args.txt"));
    const QString browser = desktop.writeBrowser(QStringLiteral("fake browser"), out);
    desktop.writeEntry(QStringLiteral("fake.desktop"),
                       QStringLiteral("\"%1\" --new-window %u").arg(browser),
                       QStringLiteral("text/html;x-scheme-handler/https;"));
    desktop.setDefaults(QStringLiteral("text/html=fake.desktop\n"));

    EXPECT_EQ(desktop.probe(QStringLiteral("registry")),
              (QStringList{QStringLiteral("class\ttext:fake.desktop"),
                           "command\ttext:\"" + browser + "\" --new-window \"%1\"",
                           QStringLiteral("named\tmissing"), QStringLiteral("user\tmissing")}));

    // A quoted path loses what follows it, options included.
    EXPECT_EQ(desktop.probe(QStringLiteral("help")), QStringList{QStringLiteral("done")});
    EXPECT_EQ(argumentsWritten(out), (QStringList{"1", '<' + kHelp + '>'}));
    EXPECT_EQ(desktop.probe(QStringLiteral("website")), QStringList{QStringLiteral("done")});
    EXPECT_EQ(argumentsWritten(out), (QStringList{"1", '<' + kWebSite + '>'}));
}

TEST(BrowserStart, UnquotedPathKeepsItsOptionsBeforeTheAddress) {
    XdgDesktop desktop;
    const QString out = desktop.path(QStringLiteral("args.txt"));
    const QString browser = desktop.writeBrowser(QStringLiteral("bin"), out);
    desktop.writeEntry(QStringLiteral("plain.desktop"),
                       QStringLiteral("%1 --new-window %U").arg(browser),
                       QStringLiteral("text/html;"));
    desktop.setDefaults(QStringLiteral("text/html=plain.desktop\n"));

    EXPECT_EQ(desktop.probe(QStringLiteral("help")), QStringList{QStringLiteral("done")});
    EXPECT_EQ(argumentsWritten(out),
              (QStringList{"2", QStringLiteral("<--new-window>"), '<' + kHelp + '>'}));
    EXPECT_EQ(desktop.probe(QStringLiteral("website")), QStringList{QStringLiteral("done")});
    EXPECT_EQ(argumentsWritten(out),
              (QStringList{"2", QStringLiteral("<--new-window>"), '<' + kWebSite + '>'}));
}

TEST(BrowserStart, WithoutAnHtmlDefaultTheHttpsHandlerServes) {
    XdgDesktop desktop;
    const QString out = desktop.path(QStringLiteral("args.txt"));
    const QString browser = desktop.writeBrowser(QStringLiteral("web handler"), out);
    desktop.writeEntry(QStringLiteral("https-only.desktop"),
                       QStringLiteral("\"%1\" %u").arg(browser),
                       QStringLiteral("x-scheme-handler/https;"));
    desktop.setDefaults(QStringLiteral("x-scheme-handler/https=https-only.desktop\n"));

    const QStringList registry = desktop.probe(QStringLiteral("registry"));
    ASSERT_FALSE(registry.isEmpty());
    EXPECT_EQ(registry.front(), QStringLiteral("class\ttext:https-only.desktop"));
    EXPECT_EQ(desktop.probe(QStringLiteral("help")), QStringList{QStringLiteral("done")});
    EXPECT_EQ(argumentsWritten(out), (QStringList{"1", '<' + kHelp + '>'}));
}

TEST(BrowserStart, WithoutBrowserHelpShowsTheErrorAndTheWebSiteNothing) {
    XdgDesktop desktop;
    EXPECT_EQ(desktop.probe(QStringLiteral("registry")),
              (QStringList{QStringLiteral("class\tmissing"), QStringLiteral("named\tmissing"),
                           QStringLiteral("user\tmissing")}));
    EXPECT_EQ(desktop.probe(QStringLiteral("help")),
              (QStringList{kErrorLine, QStringLiteral("done")}));
    EXPECT_EQ(desktop.probe(QStringLiteral("website")), QStringList{QStringLiteral("done")});
}

// A registered browser that cannot be started is reported by both commands. GIO only
// offers entries whose program exists, so this one exists but its interpreter does not.
TEST(BrowserStart, FailedStartShowsTheErrorForBothCommands) {
    XdgDesktop desktop;
    QDir(desktop.path({})).mkpath(QStringLiteral("broken browser"));
    const QString browser = desktop.path(QStringLiteral("broken browser/browser"));
    QFile script(browser);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/nonexistent/interpreter\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);
    desktop.writeEntry(QStringLiteral("broken.desktop"), QStringLiteral("\"%1\" %u").arg(browser),
                       QStringLiteral("text/html;"));
    desktop.setDefaults(QStringLiteral("text/html=broken.desktop\n"));

    const QStringList registry = desktop.probe(QStringLiteral("registry"));
    ASSERT_FALSE(registry.isEmpty());
    EXPECT_EQ(registry.front(), QStringLiteral("class\ttext:broken.desktop"));
    EXPECT_EQ(desktop.probe(QStringLiteral("help")),
              (QStringList{kErrorLine, QStringLiteral("done")}));
    EXPECT_EQ(desktop.probe(QStringLiteral("website")),
              (QStringList{kErrorLine, QStringLiteral("done")}));
}

} // namespace
} // namespace tarno
