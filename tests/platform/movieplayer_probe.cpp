// SPDX-License-Identifier: GPL-3.0-or-later
// One run of the program in small: plays the movie given on the command line in a player
// of its own, prints every command it sends ("command<TAB>args" a line) and ends. Tests
// start it again to see what a movie keeps across runs. A file-size limit (prlimit
// --fsize) stands in for a full disk: a write past it fails as on a full disk, without
// the signal that would end the program.
#include "platform/movieplayer.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    tarno::MoviePlayer player;
    QObject::connect(&player, &tarno::MoviePlayer::FSCommand,
                     [](const QString& command, const QString& args) {
                         std::printf("%s\t%s\n", qUtf8Printable(command), qUtf8Printable(args));
                     });
    player.setMovie(QString::fromLocal8Bit(argv[1]));
    return player.isPlaying() ? 0 : 1;
}
