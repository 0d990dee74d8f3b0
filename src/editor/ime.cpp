// Confirmed input-method text and the input method's mode.
#include "editor/ime.h"

#include "editor/afedit.h"

std::string ImeModeTextOf(const TImeStatus& status) {
  std::string text = "　　A";
  if (!status.Open) return text;
  // Later tests win: they name the more specific modes.
  auto has = [&](unsigned bits) { return (status.Mode & bits) == bits; };
  if (has(IME_CMODE_SYMBOL)) text = " 記号";
  if (has(IME_CMODE_FULLSHAPE)) text = "全角英数";
  if (has(IME_CMODE_NATIVE | IME_CMODE_KATAKANA)) text = "  ｶﾅ";
  if (has(IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE)) text = "  かな";
  if (has(IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE)) text = "  カナ";
  return text;
}

void TCustomAFEdit::WMImeResult(const std::string& text) {
  ++UndoGroup;
  if (readOnly_) return;
  InsertText(text.substr(0, text.find('\0')));
}

void TCustomAFEdit::WMImeNotify(int code) {
  if (code != IMN_SETCONVERSIONMODE && code != IMN_SETOPENSTATUS) return;
  ImeModeText = ImeModeTextOf(host_.ImeStatus());
  if (Onimechange) Onimechange();
}
