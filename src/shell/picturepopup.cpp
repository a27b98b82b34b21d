// SPDX-License-Identifier: GPL-3.0-or-later
// The picture popups reuse the menu bar's own QMenu objects, so captions, access keys
// and the Brikon sub-menu can never drift apart from the bar.
#include "shell/picturepopup.h"

#include "platform/screenmetrics.h"
#include "shell/form1.h"
#include "shell/picturearea.h"
#include "shell/popupposition.h"

#include <QMenu>

namespace tarno {

QPoint picturePopupPoint(const Form1& form1, int pictureIndex, QPoint posInPicture) {
    const TwipsPerPixel tpp = screenMetricsFor(&form1).twipsPerPixel;
    const PictureArea* picture = form1.picture(pictureIndex);
    const QRect outer = form1.frameGeometry();
    const QWidget* client = form1.centralWidget();
    PictureClick click;
    click.pointer = {posInPicture.x() * tpp.x, posInPicture.y() * tpp.y};
    click.windowTopLeft = {outer.x() * tpp.x, outer.y() * tpp.y};
    click.windowOuterHeight = outer.height() * tpp.y;
    click.clientHeight = client->height() * tpp.y;
    click.pictureTopLeft = {picture->x() * tpp.x, picture->y() * tpp.y};
    const PointPx at = popupPosition(click, tpp);
    return {at.x, at.y};
}

void popUpPictureList(Form1& form1, int pictureIndex, QPoint posInPicture) {
    if (pictureIndex < 0 || pictureIndex > 2)
        return;
    const std::optional<int> position = popupListPosition(pictureIndex);
    if (!position)
        return;
    QMenu* list = form1.menuList(*position);
    if (!list)
        return;
    // The chosen action is already triggered inside exec(); its return value adds nothing.
    list->exec(picturePopupPoint(form1, pictureIndex, posInPicture));
}

void wirePicturePopups(Form1& form1) {
    QObject::connect(
        &form1, &Form1::pictureReleased, &form1,
        [&form1](int index, Qt::MouseButton, QPoint pos) { popUpPictureList(form1, index, pos); });
}

} // namespace tarno
