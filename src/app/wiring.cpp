// SPDX-License-Identifier: GPL-3.0-or-later
// The one place that knows which subsystem serves which command of the main window.
#include "app/wiring.h"

#include "host/form2.h"
#include "host/gamechannel.h"
#include "platform/qtdesktop.h"
#include "scores/hiscorewindows.h"
#include "shell/aboutfrm.h"
#include "shell/form1.h"
#include "shell/picturepopup.h"

namespace tarno {

void wireMainWindow(Form1& form1) {
    Form2::setCommandBinder([](Form2& window) { bindGameChannel(window); });
    StationActions actions;
    actions.launchGame = [&form1](int playIndex) { launchGame(&form1, playIndex); };
    actions.showHiScores = [&form1](int slot) { ShowHiScores(&form1, slot, 0); };
    actions.openHelpPage = [&form1] { openHelpPageWithDesktop(&form1); };
    actions.openWebSite = [&form1] { openWebSiteWithDesktop(&form1); };
    actions.showAbout = [&form1] { showAbout(&form1); };
    form1.setActions(std::move(actions));
    wirePicturePopups(form1);
}

} // namespace tarno
