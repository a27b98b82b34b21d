// SPDX-License-Identifier: GPL-3.0-or-later
// The about window's layout is fixed data; only the web-site line depends on where the
// program is installed, while the maker's host is reserved.
#include "shell/aboutfrm.h"

#include "platform/qtdesktop.h"
#include "platform/qtext.h"
#include "platform/windowframe.h"
#include "platform/maker.h"
#include "shell/picturearea.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace tarno {
namespace {

struct LabelSpec {
    QRect area;
    std::string_view text;
};

constexpr int kNameLine = 0;
constexpr int kNoticeLine = 2;
constexpr int kWebSiteLine = 9;

const LabelSpec kLabels[11] = {
    {{102, 20, 223, 19}, maker::kProductName},
    {{102, 38, 223, 19}, maker::kVersionText},
    {{102, 64, 223, 19}, maker::kNotice},
    {{102, 108, 241, 19}, maker::kMakerName},
    {{102, 124, 241, 19}, maker::kLicenceLines[0]},
    {{102, 140, 241, 19}, maker::kLicenceLines[1]},
    {{102, 166, 241, 19}, maker::kTollFreePhone},
    {{102, 182, 241, 19}, maker::kOfficePhone},
    {{102, 198, 241, 19}, maker::kFax},
    {{102, 214, 241, 19}, {}}, // the page the web-site button opens, set when shown
    {{102, 230, 241, 19}, maker::kEmail},
};

constexpr QSize kClientSize{358, 294};
const QRect kIcon{14, 16, 64, 64};
const QRect kOkButton{100, 258, 69, 27};

} // namespace

aboutfrm::aboutfrm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("aboutfrm"));
    setWindowTitle(QStringLiteral("About Tarno Playroom"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kClientSize);

    Picture1 = new PictureArea(0, QStringLiteral(":/artwork/icon.svg"), kIcon.size(), this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(kIcon.topLeft());

    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    for (int i = 0; i < static_cast<int>(Label1.size()); ++i) {
        auto* label = new QLabel(qtext(kLabels[i].text), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setGeometry(kLabels[i].area);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setTextFormat(Qt::PlainText);
        QFont labelFont = font;
        labelFont.setBold(i == kNameLine);
        label->setFont(labelFont);
        Label1[i] = label;
    }
    // A local help page's path can be longer than the line: cut in the middle, whole in
    // the tooltip.
    const QString site = QString::fromStdString(webSiteLine(webSiteButtonAddress()));
    QLabel* siteLabel = Label1[kWebSiteLine];
    siteLabel->setText(QFontMetrics(siteLabel->font())
                           .elidedText(site, Qt::ElideMiddle, kLabels[kWebSiteLine].area.width()));
    siteLabel->setToolTip(site);
    QPalette notice = Label1[kNoticeLine]->palette();
    notice.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label1[kNoticeLine]->setPalette(notice);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(kOkButton);
    // Default and cancel at once: Enter presses it, and Esc closes the dialog the same way.
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void aboutfrm::showEvent(QShowEvent* event) {
    // Centred on the screen, frame included, not over the main window; placed before
    // the window appears, so it never jumps.
    if (!event->spontaneous())
        centreOnScreen(this);
    QDialog::showEvent(event);
}

int showAbout(QWidget* parent) {
    aboutfrm window(parent);
    return window.exec();
}

} // namespace tarno
