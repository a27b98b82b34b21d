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
}

INSTANTIATE_TEST_SUITE_P(
    MoviePlayer, UnplayableMovie,
    ::testing::Values(BadMovie{"Missing", "no-such-movie.swf", "does not exist"},
                      BadMovie{"Flash", "real-flash.swf", "Flash file"},
                      BadMovie{"Broken", "broken.qml", "broken.qml:6"},
                      BadMovie{"NotVisual", "notvisual.qml", "not a visual item"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MoviePlayer, LoadingAgainStartsAFreshMovie) {
    MoviePlayer player;
    Commands commands(player);
    player.setMovie(kMovies + "/broken.qml");
    player.setMovie(kMovies + "/probe.qml?gameType=fuego");
    EXPECT_TRUE(player.isPlaying());
    EXPECT_TRUE(player.errorText().isEmpty());
    EXPECT_EQ(commands.last("started"), "fuego|fuego|");
}

// Writes `files` (path relative to the folder, then text) into `dir`.
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
                                         "import \"parts\"\n"
                                         "import \"parts/rules.js\" as Rules\n"
                                         "Item { width: 640; height: 480\n"
                                         "  property int sum: Rules.add(tile.value, badge.value)\n"
                                         "  Tile { id: tile }\n"
                                         "  Badge { id: badge }\n"
                                         "}\n"},
                   {"modules/Tile.qml", "import QtQuick\nItem { property int value: 20 }\n"},
                   {"modules/parts/Badge.qml", "import QtQuick\nItem { property int value: 3 }\n"},
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

TEST_F(NoNetwork, RequestsAndPicturesFromTheNetworkFail) {
    writeFiles(dir, {{"movie.qml", "import QtQuick\n"
                                   "Item { id: root; width: 64; height: 64\n"
                                   "  property string base\n"
                                   "  property int requestStatus: -1\n"
                                   "  property string requestText: 'unset'\n"
                                   "  property alias imageStatus: picture.status\n"
                                   "  Image { id: picture; source: root.base ? root.base + "
                                   "'/picture.png' : '' }\n"
                                   "  function fetch(url) {\n"
                                   "    var r = new XMLHttpRequest();\n"
                                   "    r.onreadystatechange = function() {\n"
                                   "      if (r.readyState === XMLHttpRequest.DONE) {\n"
                                   "        root.requestText = r.responseText;\n"
                                   "        root.requestStatus = r.status; } };\n"
                                   "    r.open('GET', url); r.send(); }\n"
                                   "}\n"}});
    for (const QString& scheme : {QStringLiteral("http"), QStringLiteral("https")}) {
        MoviePlayer player;
        player.show();
        player.setMovie(dir.filePath("movie.qml"));
        QQuickItem* root = player.rootItem();
        ASSERT_NE(root, nullptr) << player.errorText().toStdString();
        const QString address = QString(base).replace("http", scheme);
        root->setProperty("base", address);
        QMetaObject::invokeMethod(root, "fetch", Q_ARG(QVariant, address + "/data.txt"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return root->property("requestStatus").toInt() >= 0; }))
            << scheme.toStdString();
        EXPECT_EQ(root->property("requestStatus").toInt(), 0);
        EXPECT_EQ(root->property("requestText").toString(), "");
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return root->property("imageStatus").toInt() == 3; // Image.Error
        })) << scheme.toStdString();
    }
    QTest::qWait(50);
    EXPECT_FALSE(server.hasPendingConnections());
}

TEST_F(NoNetwork, ARemoteImportStopsTheMovieFromLoading) {
    writeFiles(dir, {{"folder.qml", "import QtQuick\nimport \"" + base +
                                        "/lib\"\nItem { width: 64; height: 64; Widget {} }\n"},
                     {"script.qml", "import QtQuick\nimport \"" + base +
                                        "/lib.js\" as Lib\nItem { width: 64; height: 64 }\n"}});
    for (const char* movie : {"folder.qml", "script.qml"}) {
        MoviePlayer player;
        player.setMovie(dir.filePath(movie));
        EXPECT_FALSE(player.isPlaying()) << movie;
        EXPECT_FALSE(player.errorText().isEmpty()) << movie;
    }
    QTest::qWait(50);
    EXPECT_FALSE(server.hasPendingConnections());
}

} // namespace
} // namespace tarno
