// Switches shared by every editor control of the process.
#pragma once

#include "editor/types.h"

namespace EditSwitches {
// Row operations make no undo records and fire no OnUndoChange while set.
inline bool UndoSuspended = false;
// Set while an undo or redo group is being replayed.
inline bool UndoReplaying = false;
// Set by the main window while it creates, sizes and loads a document window.
inline bool WidthRecordingOff = false;
// Consecutive-scroll acceleration counter.
inline int ScrollAccel = 0;
// Direction memory of caret snapping off the second byte of a character.
inline bool SnapLeftNext = false;
// The font colour last applied by any control.
inline TColor LastFontColor = 0;
}  // namespace EditSwitches
