// SPDX-License-Identifier: GPL-3.0-or-later
// The channel's surroundings in the program: real windows and the game window's player.
#include "host/gamechannel.h"

#include "host/commandchannel.h"
#include "host/form2.h"
#include "platform/movieplayer.h"
#include "platform/qteventpump.h"
#include "platform/qtext.h"
#include "scores/codepage.h"
#include "scores/hiscorewindows.h"
#include "scores/spelling.h"

#include <QApplication>
#include <QBoxLayout>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QHash>
#include <QValidator>

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

// Drops the keys meant for the game while the name prompt opens: every key event of its
// first moment (which brings the keys queued before it showed), and the repeats of a key
// that was down then, up to its release. Repeats are told by the system's timestamps: a
// press that follows the key's release at once is a repeat even when the platform does
// not mark it as one (X servers send repeats as release and press pairs).
class GameKeyGuard final : public QObject {
public:
    GameKeyGuard() {
        qApp->installEventFilter(this);
        m_shown.start();
    }
    ~GameKeyGuard() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
            type != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!m_shown.hasExpired(kNamePromptTypingDelay.count())) {
            if (type != QEvent::ShortcutOverride)
                m_held.insert(key->key(), type == QEvent::KeyRelease ? key->timestamp() : kDown);
            return true;
        }
        const auto held = m_held.find(key->key());
        if (held == m_held.end())
            return false;
        if (type == QEvent::KeyRelease) {
            held.value() = key->timestamp();
        } else if (type == QEvent::KeyPress) {
            if (held.value() != kDown && key->timestamp() - held.value() > kRepeatGap) {
                m_held.erase(held); // pressed anew: typing
                return false;
            }
            held.value() = kDown;
        } else if (held.value() != kDown &&
                   key->timestamp() - held.value() > kRepeatGap) {
            return false; // the override before a new press
        }
        return true;
    }

private:
    static constexpr quint64 kDown = ~quint64{0};
    static constexpr quint64 kRepeatGap = 100; // ms between a repeat's release and press
    QElapsedTimer m_shown;
    QHash<int, quint64> m_held; // key: the time of its last release, or kDown
};

// Takes only what a record can hold: 50 characters once spelled in the code page.
class RecordNameValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return cp1252::encode(cp1252::spell(input.toStdString())).size() <= kNameLength
                   ? Acceptable
                   : Invalid;
    }
};

// How an answer will be kept in the list, as the hi-score window shows it.
QString keptName(const QString& answer) {
    return qtext(trimmedName(fitName(nameForAnswer(answer.toStdString()))));
}

} // namespace

QString askPlayerName(QWidget* parent, const QString& preset) {
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("namePrompt"));
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(QStringLiteral("Enter your name for HiScore List"));
    box.setLabelText(QStringLiteral("Your name:"));
    box.setTextValue(preset);
    box.adjustSize(); // the box lays itself out only when first asked for its size
    auto* edit = box.findChild<QLineEdit*>();
    auto* kept = new QLabel(&box);
    kept->setObjectName(QStringLiteral("keptName"));
    kept->setTextFormat(Qt::PlainText);
    kept->setForegroundRole(QPalette::PlaceholderText);
    if (edit) {
        edit->setValidator(new RecordNameValidator(edit));
        // Wide enough to show its whole title, and not resizable, like the system's box.
        // Titles are drawn bold. An X11 window manager puts an icon and three buttons beside
        // the title; on Wayland Qt draws the frame itself and centres the title across the
        // whole bar, clipped where its three 18-pixel buttons and their 5-pixel gaps begin:
        // the room those take on the right is kept free on the left as well.
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const QFontMetrics title(titleFont);
        constexpr int kWaylandButtonsRoom = 3 * (18 + 5) + 8 + 5;
        const int room = QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
                             ? 2 * kWaylandButtonsRoom
                             : 6 * title.height();
        edit->setMinimumWidth(title.horizontalAdvance(box.windowTitle()) + room);
        // The line below the field keeps its place when empty, so the box never jumps.
        kept->setMinimumHeight(kept->fontMetrics().height());
        if (auto* column = qobject_cast<QBoxLayout*>(box.layout()))
            column->insertWidget(column->indexOf(edit) + 1, kept);
        const auto showKept = [kept](const QString& typed) {
            const QString name = keptName(typed);
            const bool same = name == qtext(trimmedName(typed.toStdString()));
            kept->setText(same ? QString() : QStringLiteral("Kept in the list as: %1").arg(name));
        };
        QObject::connect(edit, &QLineEdit::textChanged, kept, showKept);
        showKept(edit->text());
    }
    if (box.layout())
        box.layout()->setSizeConstraint(QLayout::SetFixedSize);
    const GameKeyGuard guard;
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

CommandChannel& bindGameChannel(Form2& window) {
    return (new GameChannel(window))->channel();
}

} // namespace tarno
