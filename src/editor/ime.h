// The input method's side of the control: the mode text shown in the status
// bar and the notification codes the host passes on.
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
