// SPDX-License-Identifier: GPL-3.0-or-later
// The player's contract with movies: query variables in, commands out, answers in,
// and a clear message instead of a crash for anything it cannot play.
#include "platform/movieplayer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tarno {
namespace {

const QString kMovies = QStringLiteral(TEST_MOVIES_DIR);

struct Commands {
    explicit Commands(MoviePlayer& player) : spy(&player, &MoviePlayer::FSCommand) {}
    QString last(const QString& command) const {
        QString found;
        for (const QList<QVariant>& call : spy)
            if (call.at(0).toString() == command)
                found = call.at(1).toString();
        return found;
    }
    QSignalSpy spy;
};

// A movie that declares no gameType property still finds it through the player.
TEST(MoviePlayer, QueryReachesTheMovieBeforeItStarts) {
    for (const auto& [movie, started] :
         {std::pair{"/probe.qml?gameType=tarno9&level=3", "tarno9|tarno9|3"},
          std::pair{"/undeclared.qml?gameType=kpuzzle", "kpuzzle"}}) {
        MoviePlayer player;
        Commands commands(player);
        player.setMovie(kMovies + movie);
        player.Play();
        ASSERT_TRUE(player.isPlaying()) << player.errorText().toStdString();
        EXPECT_EQ(commands.last("started"), started);
    }
}

TEST(MoviePlayer, SetVariableReachesTheMovieEveryTime) {
    MoviePlayer player;
    Commands commands(player);
    player.setMovie(kMovies + "/probe.qml?gameType=tarno9");
    player.SetVariable("solver_solve", "300100120");
    player.SetVariable("solver_solve", "300100120");
    EXPECT_EQ(commands.last("answer"), "2:solver_solve=300100120:300100120");
    EXPECT_EQ(player.rootItem()->property("solver_solve").toString(), "300100120");
    player.SetVariable("solver_solve", "");
    EXPECT_EQ(commands.last("answer"), "3:solver_solve=:");
}

TEST(MoviePlayer, ShowAllScalesUniformlyAndCentres) {
    MoviePlayer player;
    player.resize(800, 300);
    player.show();
    player.setMovie(kMovies + "/probe.qml");
    QQuickItem* root = player.rootItem();
    ASSERT_NE(root, nullptr);
    EXPECT_DOUBLE_EQ(root->scale(), 300.0 / 480.0);
    EXPECT_DOUBLE_EQ(root->x(), (800 - 640 * 300.0 / 480.0) / 2);
    EXPECT_DOUBLE_EQ(root->y(), 0.0);
    player.resize(320, 480);
    EXPECT_DOUBLE_EQ(root->scale(), 0.5);
    EXPECT_DOUBLE_EQ(root->y(), (480 - 240) / 2.0);
}

struct BadMovie {
    const char* name;
    const char* file;
    const char* reason;
};

class UnplayableMovie : public ::testing::TestWithParam<BadMovie> {};

TEST_P(UnplayableMovie, ShowsWhichFileAndWhy) {
    MoviePlayer player;
    const QString file = kMovies + "/" + GetParam().file;
    player.setMovie(file + "?gameType=tarno9");
    player.Play();
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(player.errorText().contains(GetParam().reason, Qt::CaseInsensitive))
        << player.errorText().toStdString();
    auto* message = player.findChild<QLabel*>("movieMessage");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->text().contains(file)) << message->text().toStdString();
    // A later answer to a movie that never started goes nowhere, quietly.
    player.SetVariable("solver_solve", "x");
    // Loading again starts afresh.
    Commands commands(player);
    player.setMovie(kMovies + "/probe.qml?gameType=fuego");
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(player.errorText().isEmpty());
    EXPECT_EQ(commands.last("started"), "fuego|fuego|");
}

INSTANTIATE_TEST_SUITE_P(
    MoviePlayer, UnplayableMovie,
    ::testing::Values(BadMovie{"Missing", "no-such-movie.swf", "does not exist"},
                      BadMovie{"Flash", "real-flash.swf", "Flash file"},
                      BadMovie{"Broken", "broken.qml", "broken.qml:6"},
                      BadMovie{"NotVisual", "notvisual.qml", "not a visual item"}),
    [](const auto& info) { return std::string(info.param.name); });

void writeFiles(const QTemporaryDir& dir, const std::vector<std::pair<QString, QString>>& files) {
    for (const auto& [path, text] : files) {
        const QString full = dir.filePath(path);
        QDir().mkpath(QFileInfo(full).path());
        QFile out(full);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.toUtf8());
    }
}

TEST(MoviePlayer, AMovieSplitIntoFilesFindsThemBesideItself) {
    QTemporaryDir dir;
    writeFiles(dir,
               {
                   {"modules/tiles.swf", "import QtQuick\n"
                                         "import \"parts/rules.js\" as Rules\n"
                                         "Item { width: 640; height: 480\n"
                                         "  property int sum: Rules.add(tile.value, 3)\n"
                                         "  Tile { id: tile }\n"
                                         "}\n"},
                   {"modules/Tile.qml", "import QtQuick\nItem { property int value: 20 }\n"},
                   {"modules/parts/rules.js", "function add(a, b) { return a + b + 100; }\n"},
               });
    MoviePlayer player;
    player.setMovie(dir.filePath("modules/tiles.swf") + "?gameType=tarno9");
    ASSERT_TRUE(player.isPlaying()) << player.errorText().toStdString();
    EXPECT_EQ(player.rootItem()->property("sum").toInt(), 123);
}

// A local server stands in for the internet: a movie must never reach it.
class NoNetwork : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        base = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
    }
    QTcpServer server;
    QString base;
    QTemporaryDir dir;
};

TEST_F(NoNetwork, RequestsToTheNetworkFail) {
    writeFiles(dir, {{"movie.qml", "import QtQuick\n"
                                   "Item { id: root; width: 64; height: 64\n"
                                   "  property int requestStatus: -1\n"
                                   "  function fetch(url) {\n"
                                   "    var r = new XMLHttpRequest();\n"
                                   "    r.onreadystatechange = function() {\n"
                                   "      if (r.readyState === XMLHttpRequest.DONE) {\n"
                                   "        root.requestStatus = r.status; } };\n"
                                   "    r.open('GET', url); r.send(); }\n"
                                   "}\n"}});
    for (const QString& scheme : {QStringLiteral("http"), QStringLiteral("https")}) {
        MoviePlayer player;
        player.setMovie(dir.filePath("movie.qml"));
        QQuickItem* root = player.rootItem();
        ASSERT_NE(root, nullptr) << player.errorText().toStdString();
        const QString address = QString(base).replace("http", scheme);
        QMetaObject::invokeMethod(root, "fetch", Q_ARG(QVariant, address + "/data.txt"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return root->property("requestStatus").toInt() >= 0; }))
            << scheme.toStdString();
        EXPECT_EQ(root->property("requestStatus").toInt(), 0);
    }
    QTest::qWait(50);
    EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(NoNetwork, ARemoteImportStopsTheMovieFromLoading) {
    writeFiles(dir, {{"script.qml", "import QtQuick\nimport \"" + base +
                                        "/lib.js\" as Lib\nItem { width: 64; height: 64 }\n"}});
    MoviePlayer player;
    player.setMovie(dir.filePath("script.qml"));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(player.errorText().isEmpty());
    QTest::qWait(50);
    EXPECT_FALSE(server.hasPendingConnections());
}

} // namespace
} // namespace tarno
