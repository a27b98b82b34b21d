// Form3 under the offscreen platform: rows, columns, result row, and the modal showing.
#include "scores/form3.h"
#include "scores/hiscorewindows.h"

#include "scorestestsupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tarno {
namespace {

using testing::makeRecord;
using testing::TempFolder;
using testing::writeRecords;

constexpr TwipsPerPixel kStandard{15.0, 15.0};

QString cell(const Form3& f, int array, int index) {
    return f.label(array, index)->text();
}

std::unique_ptr<Form3> openForm(const std::string& path, int slot, std::int64_t mark,
                                TwipsPerPixel tpp = kStandard) {
    auto list = buildHiScoreList(ScoreFile(path), slot, mark);
    EXPECT_TRUE(list.ok());
    return std::make_unique<Form3>(list.value(), tpp);
}

TEST(Form3, EmptySlotShowsCaptionHeadersPlacesAndNoResultRow) {
    TempFolder dir;
    auto form = openForm(dir.file(), 1, 0);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tarno 9 Hi Scores"));
    EXPECT_EQ(form->size(), QSize(541, 396));
    EXPECT_EQ(form->frame()->title(), QStringLiteral("Top scores:"));
    EXPECT_EQ(form->frame()->geometry(), QRect(12, 14, 519, 313));
    EXPECT_EQ(cell(*form, 1, 15), QStringLiteral("Name"));
    EXPECT_EQ(cell(*form, 2, 15), QStringLiteral("Time"));
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(cell(*form, 5, row), QString::number(row + 1) + ".");
        EXPECT_EQ(form->label(5, row)->geometry(), QRect(6, 36 + 18 * row, 25, 15));
        for (int a = 1; a <= 4; ++a)
            EXPECT_TRUE(cell(*form, a, row).isEmpty());
    }
    for (int a = 1; a <= 4; ++a)
        EXPECT_TRUE(form->label(a, 16)->isHidden());
    EXPECT_TRUE(form->label(5, 15)->isHidden());
    EXPECT_EQ(form->label(1, 3)->objectName(), QStringLiteral("Label1_3"));
    EXPECT_EQ(form->okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(form->okButton()->geometry(), QRect(458, 366, 77, 23));
    EXPECT_TRUE(form->okButton()->isDefault());
}

struct KindCase {
    int slot;
    std::vector<std::string> args;
    // Left edge in pixels of each column (name, time, score, moves) in the frame; -1 hidden.
    std::array<int, 4> left;
    std::array<const char*, 4> cells;
};

class Form3Kinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(Form3Kinds, ColumnsSitAtTheirPlacesAndTheResultRowRepeatsTheResult) {
    const KindCase& c = GetParam();
    TempFolder dir;
    ScoreFile file(dir.file());
    // Another slot's results first: they change neither rows nor places.
    writeRecords(dir.file(), {makeRecord(c.slot == 1 ? 2 : 1, "other", 1, 1, 1)});
    auto one = recordFromArgs("  Ann", c.args);
    ASSERT_TRUE(std::holds_alternative<ScoreRecord>(one));
    const std::int64_t n = file.AppendRecord(std::get<ScoreRecord>(one)).value();
    auto form = openForm(dir.file(), c.slot, n);
    for (int a = 1; a <= 4; ++a) {
        for (int index : {0, 14, 15, 16}) {
            QLabel* l = form->label(a, index);
            if (c.left[a - 1] < 0) {
                EXPECT_TRUE(l->isHidden()) << "Label" << a << "_" << index;
                continue;
            }
            EXPECT_FALSE(l->isHidden()) << "Label" << a << "_" << index;
            // The result row lies on the window, 12 pixels (the frame's left) further right.
            EXPECT_EQ(l->x(), c.left[a - 1] + (index == 16 ? 12 : 0))
                << "Label" << a << "_" << index;
        }
        if (c.left[a - 1] >= 0) {
            EXPECT_EQ(cell(*form, a, 0), QString::fromUtf8(c.cells[a - 1])) << a;
            EXPECT_EQ(cell(*form, a, 16), QString::fromUtf8(c.cells[a - 1])) << a;
            EXPECT_EQ(form->label(a, 16)->palette().color(QPalette::WindowText), QColor(Qt::red));
            EXPECT_EQ(form->label(a, 16)->palette().color(QPalette::Window), QColor(Qt::white));
        }
    }
    EXPECT_EQ(cell(*form, 5, 15), QStringLiteral("1."));
    EXPECT_FALSE(form->label(5, 15)->isHidden());
    EXPECT_EQ(form->label(5, 15)->geometry(), QRect(4, 336, 39, 15));
    EXPECT_TRUE(cell(*form, 1, 1).isEmpty());
}

// Pixels: name 32; 3810 twips is 254, 4980 is 332, 5010 is 334, 6180 is 412.
INSTANTIATE_TEST_SUITE_P(
    Kinds, Form3Kinds,
    ::testing::Values(
        KindCase{1, {"tarno9", "83456"}, {32, 254, -1, -1}, {"Ann", "1:23.456", "", ""}},
        KindCase{5, {"fuego", "125000", "48"}, {32, 332, 254, -1}, {"Ann", "2:05.000", "48", ""}},
        KindCase{12, {"brikon3", "12500"}, {32, -1, 254, -1}, {"Ann", "", "12500", ""}},
        KindCase{15, {"lumo12", "9", "61000"}, {32, 334, -1, 254}, {"Ann", "1:01.000", "", "9"}},
        KindCase{17,
                 {"lumo18", "15", "42", "90500"},
                 {32, 412, 254, 332},
                 {"Ann", "1:30.500", "15", "42"}}));

TEST(Form3, SixteenResultsShowTheBestFifteen) {
    TempFolder dir;
    std::vector<ScoreRecord> records;
    for (int i = 1; i <= 16; ++i)
        records.push_back(makeRecord(2, "p" + std::to_string(i), 1000 * i));
    writeRecords(dir.file(), records);
    auto form = openForm(dir.file(), 2, 0);
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(cell(*form, 1, row), QStringLiteral("p%1").arg(row + 1));
        EXPECT_EQ(cell(*form, 2, row), QString::fromStdString(FormatTime(1000 * (row + 1))));
    }
    for (int row = 0; row < 15; ++row)
        EXPECT_NE(cell(*form, 1, row), QStringLiteral("p16"));
}

TEST(Form3, TwentySeventhOfFortyShowsItsPlaceBelowTheFrame) {
    TempFolder dir;
    std::vector<ScoreRecord> records;
    for (int i = 1; i <= 40; ++i)
        records.push_back(makeRecord(9, "p" + std::to_string(i), 0, 1000 - i));
    writeRecords(dir.file(), records);
    auto form = openForm(dir.file(), 9, 27);
    EXPECT_EQ(cell(*form, 1, 0), QStringLiteral("p1"));
    EXPECT_EQ(cell(*form, 1, 14), QStringLiteral("p15"));
    EXPECT_EQ(cell(*form, 5, 15), QStringLiteral("27."));
    EXPECT_EQ(cell(*form, 1, 16), QStringLiteral("p27"));
    EXPECT_EQ(cell(*form, 3, 16), QStringLiteral("973"));
}

TEST(Form3, ThirdPlaceShowsInRowThreeAndInTheResultRow) {
    TempFolder dir;
    writeRecords(dir.file(), {makeRecord(14, "a", 1, 0, 5), makeRecord(14, "b", 1, 0, 9),
                              makeRecord(14, "c", 1, 0, 10), makeRecord(14, "d", 1, 0, 6)});
    auto form = openForm(dir.file(), 14, 2);
    EXPECT_EQ(cell(*form, 1, 2), QStringLiteral("b"));
    EXPECT_EQ(cell(*form, 4, 2), QStringLiteral("9"));
    EXPECT_EQ(cell(*form, 5, 15), QStringLiteral("3."));
    EXPECT_EQ(cell(*form, 4, 16), QStringLiteral("9"));
}

TEST(Form3, LayoutFollowsTheScreensTwipsPerPixel) {
    TempFolder dir;
    auto form = openForm(dir.file(), 5, 0, TwipsPerPixel{12.0, 12.0});
    EXPECT_EQ(form->size(), QSize(676, 495));
    EXPECT_EQ(form->label(2, 0)->x(), 415); // 4980 twips
    EXPECT_EQ(form->label(3, 0)->x(), 318); // 3810 twips
}

// Runs `check` on the modal window once it is up, while `open` waits in it.
void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& check) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        ran = true;
        check(modal);
    });
    open();
    EXPECT_TRUE(ran);
}

TEST(ShowHiScores, OpensModallyAndClosesWithEnterOrEscape) {
    TempFolder dir;
    ScoreFile file(dir.file());
    file.AppendRecord(makeRecord(3, "Ann", 5000));
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        whileModal([&] { ShowHiScores(nullptr, 3, 1, file); },
                   [&](QWidget* w) {
                       auto* form = qobject_cast<Form3*>(w);
                       ASSERT_NE(form, nullptr);
                       EXPECT_EQ(form->windowTitle(), QStringLiteral("Angle Puzzle Hi Scores"));
                       EXPECT_EQ(cell(*form, 1, 0), QStringLiteral("Ann"));
                       EXPECT_EQ(cell(*form, 5, 15), QStringLiteral("1."));
                       QTest::keyClick(form, static_cast<Qt::Key>(key));
                   });
    }
}

TEST(ShowHiScores, UnreadableFileIsAMessageNamingFileAndReason) {
    TempFolder dir;
    std::filesystem::create_directory(dir.file());
    whileModal([&] { ShowHiScores(nullptr, 1, 0, ScoreFile(dir.file())); },
               [&](QWidget* w) {
                   auto* box = qobject_cast<QMessageBox*>(w);
                   ASSERT_NE(box, nullptr);
                   EXPECT_TRUE(box->text().contains(QString::fromStdString(dir.file())));
                   EXPECT_TRUE(box->text().contains(QStringLiteral("Is a directory")));
                   box->close();
               });
}

TEST(RecordScoreWindows, UnknownSlotSaysSavedWithoutAList) {
    TempFolder dir;
    ScoreFile file(dir.file());
    WindowHiScoreView view(nullptr, file);
    RecordOutcome out;
    whileModal(
        [&] {
            out = RecordScore(file, view, "Ann", {"overlord", "1"});
        },
        [&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), QString::fromLatin1(recordtext::kSavedWithoutList));
            box->close();
        });
    EXPECT_EQ(out.status, RecordOutcome::Status::SavedWithoutList);
    EXPECT_EQ(file.RecordCount().value(), 1);
}

TEST(RecordScoreWindows, RecordedResultOpensItsListMarked) {
    TempFolder dir;
    ScoreFile file(dir.file());
    file.AppendRecord(makeRecord(1, "Bob", 1000));
    WindowHiScoreView view(nullptr, file);
    whileModal(
        [&] {
            RecordScore(file, view, "Ann", {"tarno9", "83456"});
        },
        [&](QWidget* w) {
            auto* form = qobject_cast<Form3*>(w);
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(cell(*form, 5, 15), QStringLiteral("2."));
            EXPECT_EQ(cell(*form, 1, 16), QStringLiteral("Ann"));
            EXPECT_EQ(cell(*form, 2, 16), QStringLiteral("1:23.456"));
            form->okButton()->click();
        });
}

} // namespace
} // namespace tarno
