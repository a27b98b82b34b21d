// SPDX-License-Identifier: GPL-3.0-or-later
// The movie player: plays a movie, a Qt Quick document, inside a widget and carries
// the movie's commands out and the program's answers in.
#pragma once

#include "platform/moviestore.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QLabel;
class QQuickItem;
class QQuickWidget;
class QStackedLayout;

namespace tarno {

// The object a movie sees as `player`.
class MovieBridge : public QObject {
    Q_OBJECT
    // Whether sound can be heard: a sound server is there to play it. Without one the
    // movies stay silent and do not try.
    Q_PROPERTY(bool soundOutput READ soundOutput CONSTANT)
    // Whether the game window is the active window: false while another window (the
    // name prompt, a hi-score list, another program) is in front of it.
    Q_PROPERTY(bool active READ active NOTIFY activeChanged)
    // The name of the last record in the score file, without its padding, as it was
    // when the movie loaded; empty when there is none.
    Q_PROPERTY(QString lastName READ lastName NOTIFY lastNameChanged)
public:
    explicit MovieBridge(QObject* parent = nullptr) : QObject(parent) {}

    // The movie's command to the program; both texts as the movie wrote them.
    Q_INVOKABLE void fscommand(const QString& command, const QString& args = QString());
    // A variable of the query or one the program set; empty when there is none.
    Q_INVOKABLE QString variable(const QString& name) const;
    // A small value a movie keeps while the program runs, across its game windows
    // (a player's name typed into the movie, say). Nothing is written to disk.
    Q_INVOKABLE void remember(const QString& key, const QString& value);
    Q_INVOKABLE QString recall(const QString& key) const;
    // A text the movie keeps on disk between runs of the program, read when the movie
    // loads; see MovieStore. `store` tells whether it was kept.
    Q_INVOKABLE bool store(const QString& key, const QString& value);
    Q_INVOKABLE QString stored(const QString& key) const;

    QString lastName() const { return m_lastName; }
    // Reads what the movie file `movieFileName` keeps and the score file's last name.
    void loadFor(const QString& movieFileName);

    void setVariable(const QString& name, const QString& value);
    void clearVariables() { m_variables.clear(); }
    bool soundOutput() const;
    bool active() const { return m_active; }
    void setActive(bool active);

Q_SIGNALS:
    void variableSet(const QString& name, const QString& value);
    void command(const QString& command, const QString& args);
    // The game window is about to close: the movie's last chance to send a result.
    void closing();
    void activeChanged();
    void lastNameChanged();

private:
    QHash<QString, QString> m_variables;
    MovieStore m_store;
    QString m_lastName;
    bool m_active = false;
};

// Chooses how movies are drawn; call before the application object exists. Movies are
// simple 2D scenes, so the software renderer is the default: it starts fast and needs
// no graphics driver. QT_QUICK_BACKEND still overrides it.
void configureMoviePlayback();

class MoviePlayer : public QWidget {
    Q_OBJECT
public:
    explicit MoviePlayer(QWidget* parent = nullptr);
    ~MoviePlayer() override;

    // The full path with its query, as "<folder>/modules/tiles.swf?gameType=tarno9".
    // Loads the file whatever its extension; the query's variables reach the movie
    // before it starts.
    void setMovie(const QString& pathWithQuery);
    QString movie() const { return m_movie; }
    // Shows the loaded movie; its animations run from then on.
    void Play();
    // Writes the movie's root property of that name where it declares one, and always
    // tells the movie through player.variableSet, even for the same text twice.
    void SetVariable(const QString& name, const QString& value);
    // Tells the movie that its window is about to close (player.closing); what it sends
    // from there is still handled. Once per movie.
    void announceClosing();

    bool isPlaying() const { return m_root != nullptr; }
    // The movie's root item while one plays.
    QQuickItem* rootItem() const { return m_root; }
    // Why the movie could not be played, or empty.
    QString errorText() const { return m_error; }

Q_SIGNALS:
    void FSCommand(const QString& command, const QString& args);
    void firstFrameShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Follows the game window's activation, for player.active.
    bool event(QEvent* event) override;

private:
    void unload();
    void fail(const QString& file, const QString& reason);
    void fitToView();

    QStackedLayout* m_stack = nullptr;
    QQuickWidget* m_view = nullptr;
    QLabel* m_message = nullptr;
    MovieBridge* m_bridge = nullptr;
    QQuickItem* m_root = nullptr; // owned: created by the player, deleted on unload
    QPointer<QObject> m_creating; // the movie while its creation completes
    QString m_movie;
    QString m_error;
    bool m_frameSeen = false;
    bool m_closingAnnounced = false;
};

} // namespace tarno
