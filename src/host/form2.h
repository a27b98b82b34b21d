// SPDX-License-Identifier: GPL-3.0-or-later
// The game window: a fixed 4:3 window that hosts one game's movie.
#pragma once

#include "host/launch.h"

#include <QDialog>

#include <functional>

namespace tarno {

class MoviePlayer;

class Form2 : public QDialog {
    Q_OBJECT
public:
    // Sizes and places itself on the screen of `parent`, then loads the movie from
    // modules/ in `programDir`.
    Form2(const LaunchParameters& launch, const QString& programDir, QWidget* parent = nullptr);

    MoviePlayer* player() const { return sw1; }

    // Called by every new game window before its movie loads, so that even the movie's
    // first commands find a listener. The program binds the command channel with it.
    using CommandBinder = std::function<void(Form2&)>;
    static void setCommandBinder(CommandBinder binder);

    // Closing tells the movie first, so that a result it is about to send is recorded.
    void done(int result) override;

Q_SIGNALS:
    // The movie's command, as the player delivered it.
    void commandReceived(const QString& command, const QString& args);

protected:
    // Escape belongs to the game; only the close box and Ctrl+W end it.
    void keyPressEvent(QKeyEvent* event) override;
    // Ctrl+W (the platform's Close keys) closes the window before the movie sees it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sizeAndPlace();

    MoviePlayer* sw1 = nullptr;
};

// Shows the game of `playIndex` modally over `parent` and returns when the player has
// closed its window. An index without a game does nothing.
void launchGame(QWidget* parent, int playIndex);

} // namespace tarno
