// Qt keys as the Windows virtual-key codes the control understands.
#pragma once

#include <QKeyEvent>

// 0 for a key the control has no code for.
int VirtualKeyOf(const QKeyEvent& event);

// Key-data bits of a key-down: auto-repeat and Alt.
unsigned KeyDataOf(const QKeyEvent& event);

// The characters the key types, as the original platform's keyboard gives
// them to the control. The keys that edit are decided by key and
// modifiers, not by Qt's text: Ctrl+Backspace types DEL and Ctrl+Enter a
// line feed (which the control drops), Ctrl+Tab and Delete type nothing,
// and keys with Alt type nothing. Ctrl+H keeps its backspace.
QString TypedText(const QKeyEvent& event);
