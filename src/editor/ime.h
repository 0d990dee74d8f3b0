// The input method's side of the control: the mode text shown in the status
// bar, the notification codes the host passes on, and the text around the
// caret that an input method may read and replace.
#pragma once

#include <string>

#include "editor/host.h"

// Conversion mode bits (TImeStatus::Mode).
constexpr unsigned IME_CMODE_NATIVE = 0x01;
constexpr unsigned IME_CMODE_KATAKANA = 0x02;
constexpr unsigned IME_CMODE_FULLSHAPE = 0x08;
constexpr unsigned IME_CMODE_SYMBOL = 0x20;

// Notification codes of WMImeNotify.
constexpr int IMN_SETCONVERSIONMODE = 6;
constexpr int IMN_SETOPENSTATUS = 8;

// The short text naming the input method's mode (UTF-8), "　　A" when closed.
std::string ImeModeTextOf(const TImeStatus& status);

// The text around the caret as an input method reads it, to reconvert the
// selection or to replace what it committed: part of the caret's logical
// line, without line ends, in UTF-16 units as input methods count. The
// cursor is the caret, or the end of a selection that was extended; the
// anchor is the selection's other end, or the cursor. An end beyond the
// text counts as the text's start or end.
struct TImeSurrounding {
  std::u16string Text;
  int Cursor = 0;
  int Anchor = 0;
};
