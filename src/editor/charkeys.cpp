// Typed characters: Backspace, Tab, Enter with automatic indentation, Esc,
// and everything else into the text.
#include <algorithm>

#include "editor/afedit.h"

namespace {

constexpr char kEscape = 27;
constexpr std::string_view kFullWidthSpace = "\x81\x40";

// The blanks that begin `text`, ending no later than byte `limit`: TABs and
// spaces, with `fullWidth` also full-width spaces.
std::string LeadingBlanks(std::string_view text, int limit, bool fullWidth) {
  const std::size_t end = std::min<std::size_t>(std::max(0, limit), text.size());
  std::size_t n = 0;
  while (n < end) {
    if (text[n] == '\t' || text[n] == ' ') {
      ++n;
    } else if (fullWidth && text.substr(n, 2) == kFullWidthSpace) {
      n += 2;
    } else {
      break;
    }
  }
  return std::string(text.substr(0, n));
}

}  // namespace

void TCustomAFEdit::WMChar(char ch) {
  char key = ch;
  if (OnKeyPress) OnKeyPress(key);
  if (key == 0 || HandleCharKey(key)) return;
  if (!readOnly_) InsertText(std::string(1, key));
}

bool TCustomAFEdit::HandleCharKey(char ch) {
  ShiftSelecting = false;
  switch (ch) {
    case '\b':
      TypeBackspace();
      return true;
    case '\t':
      TypeTab();
      return true;
    case '\r':
      TypeEnter();
      return true;
    case kEscape:
      ClearSelections();
      return true;
    default:
      // Ctrl with a letter makes a control character; it is no text.
      return host_.IsKeyDown(VK_CONTROL) && !Composing;
  }
}

// A step left and a Delete, so that a Shift held down cuts the character
// (the step starts a Shift-selection and Delete with Shift copies it).
void TCustomAFEdit::TypeBackspace() {
  if (sel_.HasSel() || sel_.HasRowSel()) {
    ++UndoGroup;
    WMKeyDown(VK_DELETE, 0);
  } else if (!CaretAtTextStart()) {
    ++UndoGroup;
    WMKeyDown(VK_LEFT, 0);
    WMKeyDown(VK_DELETE, 0);
  }
}

// Where the caret cannot step left any more. Row 0 may be indented, and its
// text then starts at its indent, not at column 0: a Backspace there must
// not fall through to deleting the first character.
bool TCustomAFEdit::CaretAtTextStart() const {
  return CaretPos.Y == 0 && CaretPos.X <= std::max<int>(0, rows_.Attr(0).Indent);
}

void TCustomAFEdit::TypeTab() {
  ++UndoGroup;
  if (readOnly_) return;
  if (HasOption(TAFEditOption::aoTabToSp)) {
    const int tab = std::max(1, tabSize_);
    InsertText(std::string(tab - CaretPos.X % tab, ' '));
  } else {
    InsertText("\t");
  }
}

// Enter always inserts a line break, whatever the mode, and never pads a
// caret standing beyond the end of the row.
void TCustomAFEdit::TypeEnter() {
  const std::string indent = EnterIndent();
  const bool insertMode = InsertMode;
  const bool freeCaret = HasOption(TAFEditOption::aoFreeCaret);
  InsertMode = true;
  options_.Exclude(TAFEditOption::aoFreeCaret);
  if (!readOnly_) InsertText("\r" + indent);
  InsertMode = insertMode;
  options_.Set(TAFEditOption::aoFreeCaret, freeCaret);
}

// The blanks the new line starts with: those at the start of the caret's
// own row (a continuation row's own, not its logical line's), up to the caret.
std::string TCustomAFEdit::EnterIndent() const {
  const bool fullWidth = HasOption(TAFEditOption::aoAutoJpnIndent);
  if (!fullWidth && !HasOption(TAFEditOption::aoAutoIndent)) return std::string();
  if (CaretPos.Y < 0 || CaretPos.Y >= RowCount()) return std::string();
  const std::string_view text = rows_.Text(CaretPos.Y);
  return LeadingBlanks(text, ColToIndex(CaretPos.Y, CaretPos.X), fullWidth);
}

// Esc: no selection event here; the next state check reports the change.
void TCustomAFEdit::ClearSelections() {
  BeginUpdate();
  sel_.CollapseSel();
  sel_.ClearRowSel();
  EndUpdate();
}
