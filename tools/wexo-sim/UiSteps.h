#pragma once

#include "wexo-sim/StepKinds.h"

namespace wexo::simrunner {

// The steps in which a person uses the program's user interface:
//   "menu": "<item title>"        chooses an item of the status menu
//   "reopen": true                opens the application again
//   "ui": {"screen", "action", "state", "value", "tag", "row", "text", "dragging"}
//                                 operates a control of a screen
//   "draw": {"screen", "button", "points"}
//                                 draws a stroke with a button in a screen's
//                                 drawing area (points in the area's own
//                                 coordinates: origin bottom left, y up)
//   "alert": "<button title>"     answers the alert on top
//   "openPanel": "<path>" | null  chooses a file in the open panel, or cancels
//   "closeWindow": true           closes the program's front window
// Each answers the step's play function; a malformed value throws
// ScenarioException. Playing throws RunError when the thing to use is not
// there. Once the program has ended they do nothing.
StepParser menuStep();
StepParser reopenStep();
StepParser uiStep();
StepParser drawStep();
StepParser alertStep();
StepParser openPanelStep();
StepParser closeWindowStep();

}  // namespace wexo::simrunner
