// SPDX-License-Identifier: GPL-3.0-or-later
// Form3 under the offscreen platform: rows, columns, result row, and the modal showing.
#include "scores/form3.h"
#include "scores/hiscorewindows.h"

#include "scorestestsupport.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace tarno {
namespace {

using namespace testing; // the helpers of scorestestsupport.h

QString cell(const Form3& f, int array, int index) {
    return f.label(array, index)->text();
}

std::unique_ptr<Form3> openForm(const std::vector<ScoreRecord>& records, int slot,
                                std::int64_t mark, TwipsPerPixel tpp = {15.0, 15.0}) {
    TempFolder dir;
    testing::writeRecords(dir.file(), records);
    return std::make_unique<Form3>(buildHiScoreList(ScoreFile(dir.file()), slot, mark).value(),
                                   tpp);
}

TEST(Form3, EmptySlotShowsPlacesOnlyAndScalesWithTheScreen) {
    auto form = openForm({}, 1, 0);
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(cell(*form, 5, row), QString::number(row + 1) + ".");
        EXPECT_TRUE(cell(*form, 1, row).isEmpty());
    }
    for (int a = 1; a <= 5; ++a)
        EXPECT_TRUE(form->label(a, a == 5 ? 15 : 16)->isHidden()) << a;
    form = openForm({}, 5, 0, TwipsPerPixel{12.0, 12.0});
    EXPECT_EQ(form->size(), QSize(676, 495));
    EXPECT_EQ(form->label(2, 0)->x(), 415); // 4980 twips
}

struct KindCase {
    ScoreRecord result;
    // Left edge in pixels of each column (name, time, score, moves) in the frame; -1 hidden.
    std::array<int, 4> left;
    std::array<const char*, 3> cells; // time, score, moves; the name is "<b>Ann</b>"
};

class Form3Kinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(Form3Kinds, ColumnsSitAtTheirPlacesAndTheResultRowRepeatsTheResult) {
    const KindCase& c = GetParam();
    const int slot = c.result.slot;
    // Another slot's result first: it changes neither rows nor places.
    auto form = openForm({makeRecord(slot == 1 ? 2 : 1, "other", 1, 1, 1), c.result}, slot, 2);
    for (int a = 1; a <= 4; ++a) {
        const int left = c.left[a - 1];
        for (int index : {0, 14, 15, 16}) {
            QLabel* l = form->label(a, index);
            // The result row lies on the window, 12 pixels (the frame's left) further right.
            EXPECT_EQ(l->isHidden() ? -1 : l->x(), left < 0 ? -1 : left + (index == 16 ? 12 : 0))
                << "Label" << a << "_" << index;
        }
        // Names are shown as typed, never as markup.
        for (int index : {0, 16})
            if (left >= 0) {
                EXPECT_EQ(cell(*form, a, index), a == 1 ? "<b>Ann</b>" : c.cells[a - 2]) << a;
                EXPECT_EQ(form->label(a, index)->textFormat(), Qt::PlainText) << a;
            }
    }
    EXPECT_FALSE(form->label(5, 15)->isHidden());
    EXPECT_EQ(form->label(5, 15)->geometry(), QRect(4, 336, 39, 15));
}

ScoreRecord ann(int slot, int timeMs, int score = 0, int moves = 0) {
    return makeRecord(slot, "  <b>Ann</b>", timeMs, score, moves);
}

// Pixels: name 32; 3810 twips is 254, 4980 is 332, 5010 is 334, 6180 is 412.
INSTANTIATE_TEST_SUITE_P(
    Kinds, Form3Kinds,
    ::testing::Values(
        KindCase{ann(1, 83456), {32, 254, -1, -1}, {"1:23.456", "", ""}},
        KindCase{ann(5, 125000, 48), {32, 332, 254, -1}, {"2:05.000", "48", ""}},
        KindCase{ann(12, 0, 12500), {32, -1, 254, -1}, {"", "12500", ""}},
        KindCase{ann(15, 61000, 0, 9), {32, 334, -1, 254}, {"1:01.000", "", "9"}},
        KindCase{ann(17, 90500, 15, 42), {32, 412, 254, 332}, {"1:30.500", "15", "42"}}));

// Runs `open`, closing each modal window it shows by `key` as it comes, and returns what
// each showed: a message's text, or a list's title, first two names, and result row.
QStringList modalsOf(const std::function<void()>& open, Qt::Key key = Qt::Key_Escape) {
    QStringList seen;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            EXPECT_EQ(box->textFormat(), Qt::PlainText); // it may quote a name or a path
            seen << box->text();
        } else if (auto* form = qobject_cast<Form3*>(w)) {
            seen << QStringList{form->windowTitle(), cell(*form, 1, 0), cell(*form, 1, 1),
                                cell(*form, 5, 15) + cell(*form, 1, 16)}
                        .join('|');
        }
        QTest::keyClick(w, key);
        if (w->isVisible()) {
            ADD_FAILURE() << "the key left the window open";
            w->close();
        }
    });
    closer.start(0);
    open();
    return seen;
}

// A damaged end is told once in a run, and the list shows the whole records only; a file
// that cannot be read is told, with no list.
TEST(ShowHiScores, TellsWhatIsWrongAndADamagedEndOnceInARun) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(1, "Ann", 5000)});
    const RecordBytes cut = encodeRecord(makeRecord(1, "Zed", 1)); // would rank first
    std::ofstream(dir.file(), std::ios::app).write(reinterpret_cast<const char*>(cut.data()), 60);
    const std::string folder = dir.file("<b>x<img src=y>");
    std::filesystem::create_directory(folder);
    const auto show = [](const std::string& path) {
        return modalsOf([&] { ShowHiScores(nullptr, 1, 0, ScoreFile(path)); });
    };
    const QString list = QStringLiteral("Tarno 9 Hi Scores|Ann||");
    const QStringList first = show(dir.file());
    ASSERT_EQ(first.size(), 2);
    EXPECT_TRUE(first[0].contains(QStringLiteral("ends in a damaged record")));
    EXPECT_EQ(first[1], list);
    EXPECT_EQ(show(dir.file()), QStringList{list});
    const QStringList unreadable = show(folder);
    ASSERT_EQ(unreadable.size(), 1);
    EXPECT_TRUE(unreadable[0].contains(QString::fromStdString(folder + "\": Is a directory.")));
}

// Equal results stand in file order: the same result again comes third.
TEST(RecordScoreWindows, RecordedResultOpensItsListMarkedAndEnterOrEscapeClosesIt) {
    TempFolder dir;
    ScoreFile file(dir.file());
    file.AppendRecord(makeRecord(1, "Bob", 1000));
    WindowHiScoreView view(nullptr, file);
    for (const auto& [key, place] :
         {std::pair(Qt::Key_Return, "2."), std::pair(Qt::Key_Escape, "3.")})
        EXPECT_EQ(modalsOf([&] { RecordScore(file, view, "Ann", {"tarno9", "83456"}); }, key),
                  QStringList{QStringLiteral("Tarno 9 Hi Scores|Bob|Ann|") + place + "Ann"});
}

} // namespace
} // namespace tarno
