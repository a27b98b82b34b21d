// Binds the command channel to a game window: the name prompt, the hi-score windows,
// the movie player and Qt's event pump around it.
#pragma once

#include <QString>

class QWidget;

namespace tarno {

class CommandChannel;
class Form2;

// The modal name prompt over `parent`: titled "Enter your name for HiScore List", the
// prompt "Your name:", `preset` as the text, OK and Cancel. Gives the text as typed, or
// the empty text for Cancel.
QString askPlayerName(QWidget* parent, const QString& preset);

// Gives `window` a command channel that lives as long as the window: its movie's
// commands reach the channel, and closing the window stops a running solve at once
// and sends nothing more to the movie. Returns the channel.
CommandChannel& bindGameChannel(Form2& window);

} // namespace tarno
