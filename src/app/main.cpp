// The program: starts the application and shows the main window.
#include "app/wiring.h"
#include "platform/appidentity.h"
#include "platform/movieplayer.h"
#include "shell/form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    tarno::configureMoviePlayback();
    QApplication app(argc, argv);
    tarno::setApplicationIdentity();
    tarno::Form1 form1;
    tarno::wireMainWindow(form1);
    form1.show();
    return app.exec();
}
