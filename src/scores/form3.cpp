// SPDX-License-Identifier: GPL-3.0-or-later
// Form3: its layout in twips, converted to pixels in one place, and the rows it fills.
#include "scores/form3.h"

#include "platform/windowframe.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>

#include <cmath>

namespace tarno {
namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int kClientWidth = 8115;
constexpr int kClientHeight = 5940;
constexpr int kFrameLeft = 180, kFrameTop = 210, kFrameWidth = 7785, kFrameHeight = 4695;
constexpr int kLabelHeight = 225;
constexpr int kHeaderTop = 240;
constexpr int kFirstRowTop = 540;
constexpr int kRowPitch = 270;
constexpr int kResultTop = 5040;
constexpr int kHeaderIndex = 15;
constexpr int kResultIndex = 16;      // Label1..Label4
constexpr int kResultPlaceIndex = 15; // Label5
constexpr int kOkLeft = 6870, kOkTop = 5490, kOkWidth = 1155, kOkHeight = 345;

struct ColumnSpec {
    int left; // in the frame
    int width;
    int resultLeft; // on the window
    const char* header;
    Qt::Alignment align;
};

// Label1..Label4: name, time, score, moves.
const ColumnSpec kColumns[4] = {
    {480, 3255, 660, "Name", Qt::AlignLeft},
    {3810, 1365, 3990, "Time", Qt::AlignRight},
    {5250, 1095, 5430, "Score", Qt::AlignRight},
    {6420, 1125, 6600, "Moves", Qt::AlignRight},
};
constexpr int kPlaceLeft = 90, kPlaceWidth = 375;
constexpr int kResultPlaceLeft = 60, kResultPlaceWidth = 585;

QFont sansSerif(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

void paint(QLabel* label, const QColor& textColor, bool whiteBackground) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, textColor);
    if (whiteBackground) {
        pal.setColor(QPalette::Window, Qt::white);
        label->setAutoFillBackground(true);
    }
    label->setPalette(pal);
}

} // namespace

Form3::Form3(const HiScoreList& list, TwipsPerPixel tpp, QWidget* parent)
    : QDialog(parent), m_kind(list.kind.value_or(SlotKind::ByTime)), m_tpp(tpp) {
    setObjectName(QStringLiteral("Form3"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(px(kClientWidth), py(kClientHeight));
    setWindowTitle(text(std::string(slotTitle(list.slot))));
    createControls();
    if (!list.marked) {
        for (int a = 1; a <= 4; ++a)
            label(a, kResultIndex)->hide();
        label(5, kResultPlaceIndex)->hide();
    }
    arrangeColumns(m_kind);
    showList(list);
}

void Form3::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnScreen(this);
    QDialog::showEvent(event);
}

int Form3::px(double twips) const {
    return static_cast<int>(std::lround(twips / m_tpp.x));
}
int Form3::py(double twips) const {
    return static_cast<int>(std::lround(twips / m_tpp.y));
}

QLabel* Form3::label(int array, int index) const {
    if (array < 1 || array > 5 || index < 0 || index > (array == 5 ? 15 : 16))
        return nullptr;
    return m_labels[array - 1][index];
}

void Form3::createControls() {
    Frame1 = new QGroupBox(QStringLiteral("Top scores:"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(sansSerif(9.75));
    Frame1->setGeometry(px(kFrameLeft), py(kFrameTop), px(kFrameWidth), py(kFrameHeight));

    const QFont labelFont = sansSerif(8.25);
    const auto make = [&](int array, int index, QWidget* parent, int left, int top, int width,
                          Qt::Alignment align) {
        auto* l = new QLabel(parent);
        l->setObjectName(QStringLiteral("Label%1_%2").arg(array).arg(index));
        // Names are shown as typed: a name that looks like markup is not rendered.
        l->setTextFormat(Qt::PlainText);
        l->setFont(labelFont);
        l->setAlignment(align | Qt::AlignVCenter);
        l->setGeometry(px(left), py(top), px(width), py(kLabelHeight));
        m_labels[array - 1][index] = l;
        return l;
    };

    for (int row = 0; row < kListedRows; ++row) {
        const int top = kFirstRowTop + kRowPitch * row;
        make(5, row, Frame1, kPlaceLeft, top, kPlaceWidth, Qt::AlignRight)
            ->setText(text(placeText(row + 1)));
        for (int a = 1; a <= 4; ++a) {
            const ColumnSpec& c = kColumns[a - 1];
            paint(make(a, row, Frame1, c.left, top, c.width, c.align), Qt::black, true);
        }
    }
    for (int a = 1; a <= 4; ++a) {
        const ColumnSpec& c = kColumns[a - 1];
        make(a, kHeaderIndex, Frame1, c.left, kHeaderTop, c.width, Qt::AlignHCenter)
            ->setText(QString::fromLatin1(c.header));
        paint(make(a, kResultIndex, this, c.resultLeft, kResultTop, c.width, c.align), Qt::red,
              true);
    }
    paint(make(5, kResultPlaceIndex, this, kResultPlaceLeft, kResultTop, kResultPlaceWidth,
               Qt::AlignRight),
          Qt::red, false);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(labelFont);
    Command1->setGeometry(px(kOkLeft), py(kOkTop), px(kOkWidth), py(kOkHeight));
    // Default and cancel button at once: Enter presses it, and Escape closes the dialog.
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void Form3::arrangeColumns(SlotKind kind) {
    const std::array<ColumnPlacement, 4> placements = columnPlacements(kind);
    for (int a = 1; a <= 4; ++a) {
        const ColumnPlacement& p = placements[a - 1];
        const ColumnSpec& c = kColumns[a - 1];
        for (int index = 0; index <= kResultIndex; ++index) {
            QLabel* l = label(a, index);
            if (!p.shown) {
                l->hide();
                continue;
            }
            const int base = index == kResultIndex ? c.resultLeft : c.left;
            l->move(px(base + p.shiftTwips), l->y());
        }
    }
}

void Form3::ubaciitem(const ScoreRecord& record, int row) {
    const int index = row == 17 ? kResultIndex : row - 1;
    if (index < 0 || index > kResultIndex)
        return;
    const HiScoreRowText t = rowText(m_kind, record);
    label(1, index)->setText(text(t.name));
    label(2, index)->setText(text(t.time));
    label(3, index)->setText(text(t.score));
    label(4, index)->setText(text(t.moves));
}

void Form3::showList(const HiScoreList& list) {
    int row = 0;
    for (const NumberedRecord& r : list.top)
        ubaciitem(r.record, ++row);
    if (list.marked) {
        label(5, kResultPlaceIndex)->setText(text(placeText(list.markedPlace)));
        ubaciitem(list.marked->record, 17);
    }
}

} // namespace tarno
