// The program: starts the application and shows the main window.
#include "app/checkmovies.h"
#include "app/wiring.h"
#include "platform/appidentity.h"
#include "platform/movieplayer.h"
#include "shell/form1.h"

#include <QApplication>

#include <cstring>

int main(int argc, char** argv) {
    tarno::configureMoviePlayback();
    QApplication app(argc, argv);
    tarno::setApplicationIdentity();
    if (argc > 1 && !std::strcmp(argv[1], tarno::kCheckMoviesOption))
        return tarno::checkMovies(stdout);
    tarno::Form1 form1;
    tarno::wireMainWindow(form1);
    form1.show();
    return app.exec();
}
