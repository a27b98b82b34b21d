// The channel's surroundings in the program: real windows and the game window's player.
#include "host/gamechannel.h"

#include "host/commandchannel.h"
#include "host/form2.h"
#include "platform/movieplayer.h"
#include "platform/qteventpump.h"
#include "platform/qtext.h"
#include "scores/hiscorewindows.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>

namespace tarno {
namespace {

class DialogNamePrompt final : public NamePrompt {
public:
    explicit DialogNamePrompt(QWidget* parent) : m_parent(parent) {}
    std::string askName(const std::string& preset) override {
        return askPlayerName(m_parent, qtext(preset)).toStdString();
    }

private:
    QPointer<QWidget> m_parent;
};

class PlayerVariables final : public MovieVariables {
public:
    explicit PlayerVariables(MoviePlayer* player) : m_player(player) {}
    void SetVariable(const std::string& name, const std::string& value) override {
        if (m_player)
            m_player->SetVariable(qtext(name), qtext(value));
    }

private:
    QPointer<MoviePlayer> m_player;
};

// Owned by the game window as a child object; members are declared in the order the
// channel needs them.
class GameChannel final : public QObject {
public:
    explicit GameChannel(Form2& window)
        : QObject(&window), m_hiScores(&window, m_file), m_prompt(&window),
          m_movie(window.player()), m_channel({m_file, m_hiScores, m_prompt, m_movie, m_pump}) {
        setObjectName(QStringLiteral("commandChannel"));
        connect(&window, &Form2::commandReceived, this,
                [this](const QString& command, const QString& args) {
                    m_channel.FSCommand(command.toStdString(), args.toStdString());
                });
        connect(&window, &QDialog::finished, this, [this] { m_channel.close(); });
    }
    CommandChannel& channel() { return m_channel; }

private:
    ScoreFile m_file;
    WindowHiScoreView m_hiScores;
    DialogNamePrompt m_prompt;
    PlayerVariables m_movie;
    QtEventPump m_pump;
    CommandChannel m_channel;
};

} // namespace

QString askPlayerName(QWidget* parent, const QString& preset) {
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("namePrompt"));
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(QStringLiteral("Enter your name for HiScore List"));
    box.setLabelText(QStringLiteral("Your name:"));
    box.setTextValue(preset);
    // Wide enough to show its whole title, and not resizable, like the system's box. Titles
    // are drawn bold. An X11 window manager puts an icon and three buttons beside the
    // title; on Wayland Qt draws the frame itself and centres the title across the whole
    // bar, clipped where its three 18-pixel buttons and their 5-pixel gaps begin: the
    // room those take on the right is kept free on the left as well.
    if (auto* edit = box.findChild<QLineEdit*>()) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const QFontMetrics title(titleFont);
        constexpr int kWaylandButtonsRoom = 3 * (18 + 5) + 8 + 5;
        const int room = QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
                             ? 2 * kWaylandButtonsRoom
                             : 6 * title.height();
        edit->setMinimumWidth(title.horizontalAdvance(box.windowTitle()) + room);
    }
    if (box.layout())
        box.layout()->setSizeConstraint(QLayout::SetFixedSize);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

CommandChannel& bindGameChannel(Form2& window) {
    return (new GameChannel(window))->channel();
}

} // namespace tarno
