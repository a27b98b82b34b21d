// The game window. Each launch creates it afresh and closing destroys it with its
// player, so every game starts from the beginning of its movie.
#include "host/form2.h"

#include "platform/movieplayer.h"
#include "platform/screenmetrics.h"
#include "platform/windowframe.h"
#include "platform/geometry.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tarno {
namespace {
Form2::CommandBinder& commandBinder() {
    static Form2::CommandBinder binder;
    return binder;
}
} // namespace

void Form2::setCommandBinder(CommandBinder binder) {
    commandBinder() = std::move(binder);
}

Form2::Form2(const LaunchParameters& launch, const QString& programDir, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QString::fromStdString(launch.launchTitle));
    sw1 = new MoviePlayer(this);
    connect(sw1, &MoviePlayer::FSCommand, this, &Form2::commandReceived);
    if (commandBinder())
        commandBinder()(*this);
    sizeAndPlace();
    sw1->setMovie(QString::fromStdString(moviePath(programDir.toStdString(), launch)));
    sw1->Play();
}

void Form2::sizeAndPlace() {
    const ScreenMetrics screen = screenMetricsFor(parentWidget());
    const SizePx client = gameClientSize(screenSizePx(screen));
    setFixedSize(client.width, client.height);
    sw1->setGeometry(0, 0, client.width, client.height);
    const TwipsPerPixel tpp = screen.twipsPerPixel;
    placeOuterFrame(this, [&](SizePx outer) {
        return toPixels(placeWindow(screen, {outer.width * tpp.x, outer.height * tpp.y}), tpp);
    });
}

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form2::done(int result) {
    sw1->announceClosing();
    QDialog::done(result);
}

void launchGame(QWidget* parent, int playIndex) {
    const std::optional<LaunchParameters> launch = launchParametersFor(playIndex);
    if (!launch)
        return;
    Form2 window(*launch, QCoreApplication::applicationDirPath(), parent);
    window.exec();
}

} // namespace tarno
