// The one place that knows which subsystem serves which command of the main window.
#include "app/wiring.h"

#include "host/form2.h"
#include "scores/hiscorewindows.h"
#include "shell/form1.h"

namespace tarno {

void wireMainWindow(Form1& form1) {
    StationActions actions;
    actions.launchGame = [&form1](int playIndex) { launchGame(&form1, playIndex); };
    actions.showHiScores = [&form1](int slot) { ShowHiScores(&form1, slot, 0); };
    form1.setActions(std::move(actions));
}

} // namespace tarno
