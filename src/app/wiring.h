// SPDX-License-Identifier: GPL-3.0-or-later
// Connects the main window's commands to the subsystems that serve them.
#pragma once

namespace tarno {

class Form1;

// Gives the main window its actions and hooks; dialogs open over `form1`.
void wireMainWindow(Form1& form1);

} // namespace tarno
