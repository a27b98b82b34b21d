// SPDX-License-Identifier: GPL-3.0-or-later
// The main window. Handlers hand the chosen index on at once; the window keeps no
// data beyond its controls.
#include "shell/form1.h"

#include "platform/qtext.h"
#include "platform/screenmetrics.h"
#include "platform/windowframe.h"
#include "shell/catalogue.h"
#include "platform/maker.h"
#include "shell/picturearea.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace tarno {
namespace {

struct PictureSpec {
    const char* resource;
    QRect area;
};

// Together the three pictures tile the 400 x 400 client area.
const PictureSpec kPictures[3] = {
    {":/artwork/title.svg", {0, 0, 400, 300}},
    {":/artwork/play.svg", {0, 300, 200, 100}},
    {":/artwork/hiscores.svg", {200, 300, 200, 100}},
};

constexpr QSize kClientSize{400, 400};
const QRect kWebSiteButton{246, 16, 141, 35};

} // namespace

Form1::Form1(StationActions actions, QWidget* parent)
    : QMainWindow(parent), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tarno Playroom 1.0"));
    setWindowIcon(QIcon(QStringLiteral(":/artwork/icon.svg")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    createPictures();
    createMenus();
    // The client area is fixed; the frame and the menu bar come on top of it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    placeOnScreen();
}

void Form1::createPictures() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientSize);
    for (int i = 0; i < 3; ++i) {
        auto* picture = new PictureArea(i, QString::fromLatin1(kPictures[i].resource),
                                        kPictures[i].area.size(), client);
        picture->move(kPictures[i].area.topLeft());
        connect(picture, &PictureArea::released, this, &Form1::pictureReleased);
        Picture1[i] = picture;
    }
    Command1 = new QPushButton(QStringLiteral("Visit ") + qtext(maker::kHost), client);
    Command1->setObjectName(QStringLiteral("Command1"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    Command1->setFont(font);
    Command1->setGeometry(kWebSiteButton);
    Command1->raise(); // in front of the title picture, and first in the tab order
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, [this] { run(m_actions.openWebSite); });
    setCentralWidget(client);
}

void Form1::createMenus() {
    // The order on the bar is fixed: the pictures pop up the lists at positions 0 and 1.
    m_play = menuBar()->addMenu(QStringLiteral("&Play Game"));
    m_play->setObjectName(QStringLiteral("m_play"));
    for (const GameRow& row : playMenu()) {
        const int index = row.playIndex;
        QAction* item = m_play->addAction(qtext(row.playCaption));
        item->setObjectName(QStringLiteral("mp_pl_%1").arg(index));
        item->setData(index);
        connect(item, &QAction::triggered, this, [this, index] {
            if (m_actions.launchGame)
                m_actions.launchGame(index);
        });
        mp_pl[index] = item;
    }

    m_hiscores = menuBar()->addMenu(QStringLiteral("&Hi Scores"));
    m_hiscores->setObjectName(QStringLiteral("m_hiscores"));
    auto showSlot = [this](int slot) {
        if (m_actions.showHiScores)
            m_actions.showHiScores(slot);
    };
    for (const HiScoreMenuItem& entry : hiScoreMenu()) {
        const int index = entry.index;
        if (entry.children.empty()) {
            QAction* item = m_hiscores->addAction(qtext(entry.caption));
            item->setObjectName(QStringLiteral("m_hisc_%1").arg(index));
            item->setData(index);
            connect(item, &QAction::triggered, this, [showSlot, index] { showSlot(index); });
            m_hisc[index] = item;
            continue;
        }
        // A parent item only opens its sub-menu; it is never a list of its own.
        QMenu* sub = m_hiscores->addMenu(qtext(entry.caption));
        sub->setObjectName(QStringLiteral("m_hisc_%1_menu").arg(index));
        QAction* parentItem = sub->menuAction();
        parentItem->setObjectName(QStringLiteral("m_hisc_%1").arg(index));
        parentItem->setData(index);
        m_hisc[index] = parentItem;
        for (const HiScoreMenuItem& child : entry.children) {
            const int slot = child.index;
            QAction* item = sub->addAction(qtext(child.caption));
            item->setObjectName(QStringLiteral("m_hiscc_%1").arg(slot));
            item->setData(slot);
            connect(item, &QAction::triggered, this, [showSlot, slot] { showSlot(slot); });
            m_hiscc[slot] = item;
        }
    }

    mm_help = menuBar()->addMenu(QStringLiteral("&Help"));
    mm_help->setObjectName(QStringLiteral("mm_help"));
    m_help_index = mm_help->addAction(QStringLiteral("&Get online help"));
    m_help_index->setObjectName(QStringLiteral("m_help_index"));
    m_help_index->setShortcut(QKeySequence(Qt::Key_F1));
    m_help_index->setShortcutContext(Qt::WindowShortcut);
    connect(m_help_index, &QAction::triggered, this, [this] { run(m_actions.openHelpPage); });
    mm_help->addSeparator()->setObjectName(QStringLiteral("m_sep2"));
    m_help_about = mm_help->addAction(QStringLiteral("&About"));
    m_help_about->setObjectName(QStringLiteral("m_help_about"));
    connect(m_help_about, &QAction::triggered, this, [this] { run(m_actions.showAbout); });

    // An item of the bar itself: it acts at once, with no list under it.
    m_exit = menuBar()->addAction(QStringLiteral("E&xit"));
    m_exit->setObjectName(QStringLiteral("m_exit"));
    connect(m_exit, &QAction::triggered, qApp, &QApplication::quit);
}

void Form1::run(const std::function<void()>& action) const {
    if (action)
        action();
}

QMenu* Form1::menuList(int position) const {
    const QList<QAction*> bar = menuBar()->actions();
    if (position < 0 || position >= bar.size())
        return nullptr;
    return bar[position]->menu();
}

QAction* Form1::playItem(int index) const {
    auto it = mp_pl.find(index);
    return it == mp_pl.end() ? nullptr : it->second;
}

QAction* Form1::hiScoreItem(int index) const {
    auto it = m_hisc.find(index);
    return it == m_hisc.end() ? nullptr : it->second;
}

QAction* Form1::hiScoreSubItem(int index) const {
    auto it = m_hiscc.find(index);
    return it == m_hiscc.end() ? nullptr : it->second;
}

void Form1::placeOnScreen() {
    const ScreenMetrics screen = screenMetricsFor(this);
    const TwipsPerPixel tpp = screen.twipsPerPixel;
    adjustSize();
    const QSize client = centralWidget()->size();
    // The outer size counts the window manager's frame as well as the menu bar.
    placeOuterFrame(this, [&](SizePx frame) {
        const SizeTwips outer =
            outerSizeForClient({frame.width * tpp.x, frame.height * tpp.y},
                               {client.width() * tpp.x, client.height() * tpp.y},
                               {kClientSize.width(), kClientSize.height()}, tpp);
        return toPixels(placeWindow(screen.workArea, outer), tpp);
    });
}

} // namespace tarno
