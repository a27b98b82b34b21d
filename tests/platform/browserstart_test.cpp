// SPDX-License-Identifier: GPL-3.0-or-later
// The browser chosen from the desktop's own associations and started by GIO, for real,
// from XDG folders of each case's own, for a fake browser that writes down its arguments.
#include "platform/defaultbrowser.h"
#include "platform/qtext.h"
#include "platform/maker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

// Readable failures: gtest would print a QString as its UTF-16 code units.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace tarno {
namespace {

const QString kHelpAddress = QString::fromStdString(helpPageAddress(
    maker::kHost, maker::kHelpPageAddress,
    QFileInfo(QStringLiteral(TARNO_PROBE)).canonicalPath().toStdString()));
QString errorLine(const QString& address) {
    return "message\tError\twarning\t1\tCannot execute default browser.\\n"
           "Please, manually go to following URL to obtain help for Tarno Games:\\n" +
           address;
}
const QString kErrorLine = errorLine(kHelpAddress);

class XdgDesktop {
public:
    XdgDesktop() {
        QDir(m_root.path()).mkpath("data/applications");
        QDir(m_root.path()).mkpath("config");
        // The system's MIME database, so that GIO knows text/html as a kind of text/plain
        // and would fall back to a text/plain handler, as on a real desktop.
        if (QFileInfo::exists("/usr/share/mime/subclasses"))
            QFile::link("/usr/share/mime", path("data/mime"));
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

    // A desktop entry `id` running `exec` that declares `types` (";"-separated) and has
    // the lines `extra`; the default application of every type in `defaultFor`.
    void addEntry(const QString& id, const QString& exec, const QString& types,
                  const QString& extra, const QStringList& defaultFor) {
        QFile entry(path("data/applications/" + id));
        EXPECT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Fake\nExec=%1\n"
                                   "MimeType=%2\n%3")
                        .arg(exec, types, extra)
                        .toUtf8());
        QFile list(path("config/mimeapps.list"));
        EXPECT_TRUE(list.open(QIODevice::Append));
        if (list.size() == 0)
            list.write("[Default Applications]\n");
        for (const QString& type : defaultFor)
            list.write((type + '=' + id + '\n').toUtf8());
    }

    // Runs the probe in a fresh process that sees only these folders, and no session
    // bus: D-Bus activation then falls back to the entry's Exec line.
    QStringList probe(const QString& mode) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& key : env.keys())
            if (key.startsWith(QLatin1String("XDG_")) || key.startsWith(QLatin1String("DBUS_")))
                env.remove(key);
        env.insert("HOME", m_root.path());
        for (const QString& kind : {QStringLiteral("DATA"), QStringLiteral("CONFIG")}) {
            const QString dir = path(kind.toLower());
            env.insert("XDG_" + kind + "_HOME", dir);
            env.insert("XDG_" + kind + "_DIRS", dir);
        }
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + path("no-bus"));
        env.insert("GIO_USE_VFS", "local");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const bool item = mode == "help" || mode == "website";
        process.start(QStringLiteral(TARNO_PROBE),
                      item ? QStringList{mode} : QStringList{QStringLiteral("browser"), mode});
        EXPECT_TRUE(process.waitForFinished(30000)) << mode.toStdString();
        EXPECT_EQ(process.exitCode(), 0) << mode.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_root;
};

const QString kHtml = "text/html;x-scheme-handler/http;x-scheme-handler/https;";
const QStringList kAllDefaults{"text/html", "x-scheme-handler/http", "x-scheme-handler/https"};

struct ShapeCase {
    const char* name;
    QString id;
    QString exec; // %1 stands for the script's path
    QString address;      // "help" for the help page
    QStringList expected; // what reaches the browser; %1 stands for the address
    QString types = kHtml;
    QStringList defaultFor = kAllDefaults;
};

class EntryShape : public ::testing::TestWithParam<ShapeCase> {};

// The chosen entry's browser gets the help page or a web address as GIO expands its Exec
// line: a local page as its path.
TEST_P(EntryShape, BrowserGetsTheAddressAsItsEntrySays) {
    const ShapeCase& c = GetParam();
    XdgDesktop desktop;
    const QString out = desktop.path("args.txt");
    const QString browser = desktop.writeScript(
        "fake browser/run",
        QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '<%s>\\n' \"$a\"; done > '%1.tmp'\n"
                       "mv '%1.tmp' '%1'\n")
            .arg(out));
    desktop.addEntry(c.id, c.exec.arg('"' + browser + '"'), c.types, "", c.defaultFor);
    const bool help = c.address == "help";
    const QStringList reported =
        help ? QStringList{"done"} : QStringList{"handler\t" + c.id, "done"};
    EXPECT_EQ(desktop.probe(c.address), reported);
    const QString shown = help ? QUrl(kHelpAddress).toLocalFile() : c.address;
    QStringList expected;
    for (const QString& arg : c.expected)
        expected << '<' + QString(arg).replace("%1", shown) + '>';
    QStringList written{"(browser never ran)"};
    if (QTest::qWaitFor([&] { return QFile::exists(out); }, 10000)) {
        QFile file(out);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        written = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }
    EXPECT_EQ(written, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Gio, EntryShape,
    ::testing::Values(
        ShapeCase{"HelpPage", "plain.desktop", "%1 --new-window %u", "help",
                  {"--new-window", "%1"}},
        ShapeCase{"WebAddress", "plain.desktop", "%1 %U",
                  "https://example.org/a%20b?c=1&d=%C3%A9", {"%1"}},
        // Only a handler of https: a web address of either scheme still finds it.
        ShapeCase{"OtherSchemesHandler", "web.desktop", "%1 %u", "http://example.org/",
                  {"%1"}, "x-scheme-handler/https;", {"x-scheme-handler/https"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Handlers that are no browser are never started: one that declares only a parent type
// (GIO would offer a text editor for text/html), or one that needs a terminal. Then only
// the help item complains.
TEST(BrowserChoice, NoSuitableHandlerIsNeverStarted) {
    const QStringList helpError{kErrorLine, "done"};
    XdgDesktop unsuitable;
    const QString editor = unsuitable.writeScript("bin/editor", "#!/bin/sh\ntouch \"$0.ran\"\n");
    unsuitable.addEntry("editor.desktop", editor + " %F", "text/plain;", "", {"text/plain"});
    unsuitable.addEntry("term.desktop", editor + " %u", kHtml, "Terminal=true\n", kAllDefaults);
    EXPECT_EQ(unsuitable.probe("help"), helpError);
    EXPECT_EQ(unsuitable.probe("website"), QStringList{"done"});
    EXPECT_EQ(unsuitable.probe("https://example.org/"),
              (QStringList{"handler\t", errorLine("https://example.org/"), "done"}));
    EXPECT_FALSE(QFile::exists(editor + ".ran"));
}

} // namespace
} // namespace tarno
