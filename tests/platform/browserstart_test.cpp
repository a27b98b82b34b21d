// The browser found through the desktop's own associations, started for real: each case
// builds its own XDG folders with a desktop entry for a fake browser script that writes
// down the arguments it receives.
#include "platform/defaultbrowser.h"
#include "platform/qtext.h"
#include "platform/maker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The help address of a program in the probe's folder.
const QString kHelpAddress = QString::fromStdString(helpPageAddress(
    maker::kHost, maker::kHelpPageAddress,
    QFileInfo(QStringLiteral(TARNO_BROWSERSTART_PROBE)).canonicalPath().toStdString()));
const QString kErrorLine =
    "message\tError\twarning\t1\tCannot execute default browser.\\n"
    "Please, manually go to following URL to obtain help for Tarno Games:\\n" +
    kHelpAddress;

class XdgDesktop {
public:
    XdgDesktop() {
        QDir(m_root.path()).mkpath("data/applications");
        QDir(m_root.path()).mkpath("config");
    }

    QString path(const QString& relative) const { return m_root.filePath(relative); }

    QString writeScript(const QString& relative, const QString& body) {
        QDir(m_root.path()).mkpath(QFileInfo(path(relative)).path());
        QFile script(path(relative));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(body.toUtf8());
        script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);
        return script.fileName();
    }

    // A desktop entry running `exec`, the default for the MIME type or scheme `type`.
    void registerBrowser(const QString& exec, const QString& type) {
        QFile entry(path("data/applications/fake.desktop"));
        EXPECT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Fake\nExec=%1\n"
                                   "MimeType=%2;\n")
                        .arg(exec, type)
                        .toUtf8());
        QFile list(path("config/mimeapps.list"));
        EXPECT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(("[Default Applications]\n" + type + "=fake.desktop\n").toUtf8());
    }

    // Runs the probe in a fresh process that sees only these folders.
    QStringList probe(const QString& mode) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& key : env.keys())
            if (key.startsWith(QLatin1String("XDG_")))
                env.remove(key);
        env.insert("HOME", m_root.path());
        for (const QString& kind : {QStringLiteral("DATA"), QStringLiteral("CONFIG")}) {
            const QString dir = path(kind.toLower());
            env.insert("XDG_" + kind + "_HOME", dir);
            env.insert("XDG_" + kind + "_DIRS", dir);
        }
        env.insert("GIO_USE_VFS", "local");
        env.insert("QT_QPA_PLATFORM", "offscreen");
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

// The arguments the fake browser wrote, each in <>, once it has run.
QStringList argumentsWritten(const QString& out) {
    if (!QTest::qWaitFor([&] { return QFile::exists(out); }, 10000))
        return {"(browser never ran)"};
    QFile file(out);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    file.remove();
    return lines;
}

struct StartCase {
    const char* name;
    QString folder;
    QString exec; // %1 stands for the script's path
    QString type;
    QStringList options = {}; // what reaches the browser before the address
};

class BrowserStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(BrowserStart, HelpItemAndWebSiteButtonPassTheirAddress) {
    const StartCase& c = GetParam();
    XdgDesktop desktop;
    const QString out = desktop.path("args.txt");
    const QString browser = desktop.writeScript(
        c.folder + "/fake-browser",
        QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '<%s>\\n' \"$a\"; done > '%1.tmp'\n"
                       "mv '%1.tmp' '%1'\n")
            .arg(out));
    desktop.registerBrowser(c.exec.arg(browser), c.type);
    for (const auto& [mode, address] :
         {std::pair{"help", kHelpAddress}, std::pair{"website", qtext(maker::kWebSiteAddress)}}) {
        EXPECT_EQ(desktop.probe(mode), QStringList{"done"});
        QStringList expected;
        for (const QString& option : c.options + QStringList{address})
            expected << '<' + option + '>';
        EXPECT_EQ(argumentsWritten(out), expected) << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Xdg, BrowserStart,
    ::testing::Values(
        // A quoted path stays whole and loses what follows it, options included.
        StartCase{"QuotedPathWithSpaces", "fake browser", "\"%1\" --new-window %u", "text/html"},
        StartCase{
            "UnquotedKeepsOptions", "bin", "%1 --new-window %U", "text/html", {"--new-window"}},
        StartCase{"HttpsWithoutHtml", "web handler", "\"%1\" %u", "x-scheme-handler/https"}),
    [](const auto& info) { return std::string(info.param.name); });

// Without a browser only the help item complains. A registered browser that cannot be
// started makes both complain: GIO only offers entries whose program exists, so this one
// exists but its interpreter does not.
TEST(BrowserStartErrors, NoBrowserAndFailedStart) {
    const QStringList error{kErrorLine, "done"};
    XdgDesktop none;
    EXPECT_EQ(none.probe("help"), error);
    EXPECT_EQ(none.probe("website"), QStringList{"done"});
    XdgDesktop broken;
    const QString script = broken.writeScript("broken browser/run", "#!/nonexistent/interpreter\n");
    broken.registerBrowser('"' + script + "\" %u", "text/html");
    EXPECT_EQ(broken.probe("help"), error);
    EXPECT_EQ(broken.probe("website"), error);
}

} // namespace
} // namespace tarno
