// The host tests' view of the preferences window's fields.
#pragma once

#include "preferences/AAutorunWindow.h"

struct AAutorunWindowProbe {
#define AUTORUN_PROBE(field) \
    static auto& field(AAutorunWindow& w) { return w.field; }
    AUTORUN_PROBE(viewPort)
    AUTORUN_PROBE(mainCanvas)
    AUTORUN_PROBE(buttonCanvas)
    AUTORUN_PROBE(backButton)
    AUTORUN_PROBE(nextButton)
    AUTORUN_PROBE(cancelButton)
    AUTORUN_PROBE(discTypeList)
    AUTORUN_PROBE(spareCanvas)
    AUTORUN_PROBE(choiceCanvas)
    AUTORUN_PROBE(vlrRadioButton)
    AUTORUN_PROBE(discIndexRadioButton)
    AUTORUN_PROBE(kitIndexRadioButton)
    AUTORUN_PROBE(windowRadioButton)
    AUTORUN_PROBE(nothingRadioButton)
    AUTORUN_PROBE(vlrNowButton)
    AUTORUN_PROBE(discIndexNowButton)
    AUTORUN_PROBE(kitIndexNowButton)
    AUTORUN_PROBE(headingText)
    AUTORUN_PROBE(vlrLabel)
    AUTORUN_PROBE(discIndexLabel)
    AUTORUN_PROBE(kitIndexLabel)
    AUTORUN_PROBE(nothingLabel)
    AUTORUN_PROBE(windowLabelLine1)
    AUTORUN_PROBE(windowLabelLine2)
    AUTORUN_PROBE(infoArea)
    AUTORUN_PROBE(flyOverHelp)
    AUTORUN_PROBE(flyOverHelpHandler)
    AUTORUN_PROBE(connections)
    AUTORUN_PROBE(currentPanel)
    AUTORUN_PROBE(currentTndrlSelection)
    AUTORUN_PROBE(currentMixedSelection)
    AUTORUN_PROBE(currentPDFSelection)
    AUTORUN_PROBE(originalTndrlSelection)
    AUTORUN_PROBE(originalMixedSelection)
    AUTORUN_PROBE(originalPDFSelection)
    AUTORUN_PROBE(oldTndrlSelection)
    AUTORUN_PROBE(oldMixedSelection)
#undef AUTORUN_PROBE
};
