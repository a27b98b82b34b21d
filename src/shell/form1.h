// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the station's picture, the web-site button and the menu bar.
#pragma once

#include "shell/stationactions.h"

#include <QMainWindow>

#include <array>
#include <map>

class QAction;
class QMenu;
class QPushButton;

namespace tarno {

class PictureArea;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(StationActions actions = {}, QWidget* parent = nullptr);

    void setActions(StationActions actions) { m_actions = std::move(actions); }

    // The list hanging under the menu bar at `position` (0 "&Play Game", 1 "&Hi Scores",
    // 2 "&Help"), or null. The picture popups show these very lists.
    QMenu* menuList(int position) const;
    PictureArea* picture(int index) const { return Picture1.at(index); }
    QPushButton* webSiteButton() const { return Command1; }
    QAction* playItem(int index) const;
    QAction* hiScoreItem(int index) const;
    QAction* hiScoreSubItem(int index) const;
    QAction* helpItem() const { return m_help_index; }
    QAction* aboutItem() const { return m_help_about; }
    QAction* exitItem() const { return m_exit; }

    // Sizes the client area to 400 x 400 and places the window on its screen.
    void placeOnScreen();

Q_SIGNALS:
    void pictureReleased(int index, Qt::MouseButton button, QPoint pos);

private:
    void createPictures();
    void createMenus();
    void run(const std::function<void()>& action) const;

    StationActions m_actions;
    std::array<PictureArea*, 3> Picture1{};
    QPushButton* Command1 = nullptr;
    QMenu* m_play = nullptr;
    QMenu* m_hiscores = nullptr;
    QMenu* mm_help = nullptr;
    std::map<int, QAction*> mp_pl;
    std::map<int, QAction*> m_hisc;
    std::map<int, QAction*> m_hiscc;
    QAction* m_help_index = nullptr;
    QAction* m_help_about = nullptr;
    QAction* m_exit = nullptr;
};

} // namespace tarno
