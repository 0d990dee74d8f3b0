// Qt keys as the Windows virtual-key codes the control understands.
#pragma once

#include <QKeyEvent>

// 0 for a key the control has no code for.
int VirtualKeyOf(const QKeyEvent& event);

// Key-data bits of a key-down: auto-repeat and Alt.
unsigned KeyDataOf(const QKeyEvent& event);
