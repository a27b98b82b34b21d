// SPDX-License-Identifier: GPL-3.0-or-later
// The program: reads its command line, starts the application and shows the main window.
#include "app/checkmovies.h"
#include "app/wiring.h"
#include "host/form2.h"
#include "platform/appidentity.h"
#include "platform/maker.h"
#include "platform/movieplayer.h"
#include "shell/catalogue.h"
#include "shell/form1.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

constexpr int kUsageError = 2;

struct Options {
    QCommandLineOption checkMovies{
        QStringLiteral("check-movies"),
        QStringLiteral("Play every game's movie (or only the one of --play) to its first frame, "
                       "print how each went and exit; 1 when one did not play.")};
    QCommandLineOption play{QStringLiteral("play"),
                            QStringLiteral("Open the game GAMEID as the station starts: ") +
                                QString::fromStdString(tarno::gameIdList()) + '.',
                            QStringLiteral("GAMEID")};
};

void describe(QCommandLineParser& parser, const Options& options) {
    // Qt's own single-dash options (-platform, -reverse) are words, not bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A station of nineteen small games with shared hi-score lists."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(options.checkMovies);
    parser.addOption(options.play);
}

void printText(QString text) {
    // Without an application object the usage line has no program name of its own.
    text.replace(QStringLiteral("<executable_name>"), QStringLiteral("tarno-playroom"));
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

int usageError(const QString& text) {
    std::fprintf(stderr, "tarno-playroom: %s\nTry 'tarno-playroom --help'.\n",
                 text.toLocal8Bit().constData());
    return kUsageError;
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer before the window system is touched: they work
    // without a display.
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        QCommandLineParser parser;
        const Options options;
        describe(parser, options);
        parser.parse(arguments);
        if (parser.isSet(QStringLiteral("help"))) {
            printText(parser.helpText());
            return 0;
        }
        if (parser.isSet(QStringLiteral("version"))) {
            std::printf("tarno-playroom %s\n", tarno::maker::kVersionNumber.data());
            return 0;
        }
    }

    tarno::configureMoviePlayback();
    QApplication app(argc, argv);
    tarno::setApplicationIdentity();
    // The window system's own options (-platform, -display, ...) are gone by now.
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    if (!parser.parse(QApplication::arguments()))
        return usageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument \"%1\"")
                              .arg(parser.positionalArguments().constFirst()));
    const tarno::GameRow* game = nullptr;
    if (parser.isSet(options.play)) {
        const std::string id = parser.value(options.play).toStdString();
        game = tarno::rowByGameId(id);
        if (!game)
            return usageError(QStringLiteral("no game \"%1\"; the games are %2")
                                  .arg(parser.value(options.play),
                                       QString::fromStdString(tarno::gameIdList())));
    }
    if (parser.isSet(options.checkMovies))
        return tarno::checkMovies(stdout, game);

    tarno::Form1 form1;
    tarno::wireMainWindow(form1);
    form1.show();
    if (game) {
        const int playIndex = game->playIndex;
        QTimer::singleShot(0, &form1, [&form1, playIndex] { tarno::launchGame(&form1, playIndex); });
    }
    return app.exec();
}
