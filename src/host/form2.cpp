// SPDX-License-Identifier: GPL-3.0-or-later
// The game window. Each launch creates it afresh and closing destroys it with its
// player, so every game starts from the beginning of its movie.
#include "host/form2.h"

#include "platform/appidentity.h"
#include "platform/movieplayer.h"
#include "platform/screenmetrics.h"
#include "platform/windowframe.h"
#include "platform/geometry.h"

#include <QApplication>
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
    qApp->installEventFilter(this); // the Close keys, whichever part of the window has focus
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
    const auto sizeFor = [&](FramePx frame) {
        return gameClientSize(screenSizePx(screen), workAreaSizePx(screen), frame);
    };
    // The frame counts: title bar and borders must fit the work area with the client. It
    // is asked for once the window is of fixed size, or the window manager would count
    // the resize handles it draws around other windows.
    SizePx client = sizeFor({});
    setFixedSize(client.width, client.height);
    client = sizeFor(frameExtents(this));
    setFixedSize(client.width, client.height);
    sw1->setGeometry(0, 0, client.width, client.height);
    const TwipsPerPixel tpp = screen.twipsPerPixel;
    placeOuterFrame(this, [&](SizePx outer) {
        return toPixels(placeWindow(screen.workArea, {outer.width * tpp.x, outer.height * tpp.y}),
                        tpp);
    });
}

void Form2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !isActiveWindow() ||
        !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Close))
        return QDialog::eventFilter(watched, event);
    if (type == QEvent::KeyPress)
        close();
    return true;
}

void Form2::done(int result) {
    sw1->announceClosing();
    QDialog::done(result);
}

void launchGame(QWidget* parent, int playIndex) {
    const std::optional<LaunchParameters> launch = launchParametersFor(playIndex);
    if (!launch)
        return;
    Form2 window(*launch, dataFolder(), parent);
    window.exec();
}

} // namespace tarno
