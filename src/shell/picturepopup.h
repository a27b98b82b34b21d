// SPDX-License-Identifier: GPL-3.0-or-later
// The picture buttons' popups: the very lists that hang under the main window's menu bar.
#pragma once

#include <QPoint>

namespace tarno {

class Form1;

// The screen point, in pixels, where picture `pictureIndex` pops up its list after a
// release at `posInPicture` (pixels inside the picture).
QPoint picturePopupPoint(const Form1& form1, int pictureIndex, QPoint posInPicture);

// Pops up the list of the menu bar that belongs to the picture and waits until it is
// closed. A chosen item triggers its menu-bar action, so its own handler runs. The
// title picture pops up nothing.
void popUpPictureList(Form1& form1, int pictureIndex, QPoint posInPicture);

// Makes a mouse release over any picture pop up its list; any button, any modifiers.
void wirePicturePopups(Form1& form1);

} // namespace tarno
