// SPDX-License-Identifier: GPL-3.0-or-later
// Binds the command channel to a game window: the name prompt, the hi-score windows,
// the movie player and Qt's event pump around it.
#pragma once

#include <QString>

#include <chrono>

class QWidget;

namespace tarno {

class CommandChannel;
class Form2;

// Keys that reach the name prompt this soon after it appears were meant for the game
// (a timed round ends while the player is still pressing keys); they are dropped, as are
// the repeats of a key held down since then, until it is released.
constexpr std::chrono::milliseconds kNamePromptTypingDelay{300};

// The modal name prompt over `parent`: titled "Enter your name for HiScore List", the
// prompt "Your name:", `preset` as the text, OK and Cancel. The field takes no more than
// a record holds, and shows below it how the name will be kept whenever that differs
// from what was typed. Gives the text as typed, or the empty text for Cancel.
QString askPlayerName(QWidget* parent, const QString& preset);

// Gives `window` a command channel that lives as long as the window: its movie's
// commands reach the channel, and closing the window stops a running solve at once
// and sends nothing more to the movie. Returns the channel.
CommandChannel& bindGameChannel(Form2& window);

} // namespace tarno
