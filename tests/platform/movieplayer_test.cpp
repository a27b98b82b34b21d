// The player's contract with movies: query variables in, commands out, answers in,
// and a clear message instead of a crash for anything it cannot play.
#include "platform/movieplayer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>

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

TEST(MoviePlayer, QueryReachesTheMovieBeforeItStarts) {
    MoviePlayer player;
    Commands commands(player);
    player.setMovie(kMovies + "/probe.qml?gameType=tarno9&level=3");
    player.Play();
    ASSERT_TRUE(player.isPlaying()) << player.errorText().toStdString();
    EXPECT_EQ(commands.last("started"), "tarno9|tarno9|3");
}

TEST(MoviePlayer, ReadsAnyExtensionAsAMovie) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(kMovies + "/probe.qml", dir.filePath("tiles.swf")));
    MoviePlayer player;
    Commands commands(player);
    player.setMovie(dir.filePath("tiles.swf") + "?gameType=lumo13");
    EXPECT_TRUE(player.isPlaying()) << player.errorText().toStdString();
    EXPECT_EQ(commands.last("started"), "lumo13|lumo13|");
}

TEST(MoviePlayer, UndeclaredVariablesStillReachThePlayerObject) {
    MoviePlayer player;
    Commands commands(player);
    player.setMovie(kMovies + "/undeclared.qml?gameType=kpuzzle");
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(commands.last("started"), "kpuzzle");
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
                      BadMovie{"Broken", "broken.qml", "broken.qml:5"},
                      BadMovie{"NotVisual", "notvisual.qml", "not a visual item"},
                      BadMovie{"Folder", "", "does not exist"}),
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

} // namespace
} // namespace tarno
