#include "app/taginsert.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "app/selectionedit.h"
#include "editor/afedit.h"

// "<" and ">" (0x3C, 0x3E) are never the second byte of a Shift-JIS
// character, so the text is searched byte by byte.

namespace {

// One logical line: its rows joined, and where each row starts in it.
struct TLine {
  int FirstRow = 0;
  std::string Text;  // with the line's CR, when it has one
  std::vector<std::size_t> RowStarts;

  int LastRow() const { return FirstRow + static_cast<int>(RowStarts.size()) - 1; }
  // (byte index, row) of a byte of the text.
  TPoint Position(std::size_t offset) const {
    const auto row = std::upper_bound(RowStarts.begin(), RowStarts.end(), offset) - 1;
    return TPoint{static_cast<int>(offset - *row), FirstRow + static_cast<int>(row - RowStarts.begin())};
  }
};

int FirstRowOfLine(const TCustomAFEdit& edit, int row) {
  while (row > 0 && !edit.RowHasCR(row - 1)) --row;
  return row;
}

TLine ReadLine(const TCustomAFEdit& edit, int firstRow) {
  TLine line{firstRow, {}, {}};
  for (int row = firstRow;; ++row) {
    line.RowStarts.push_back(line.Text.size());
    line.Text += edit.GetRow(row);
    if (edit.RowHasCR(row) || row + 1 >= edit.RowCount()) break;
  }
  return line;
}

void MoveCaretToByte(TCustomAFEdit& edit, const TLine& line, std::size_t offset) {
  edit.MoveCaretTo(edit.IndexToCol(line.Position(offset)));
}

// A "<" that is not followed by ">".
std::size_t FindTagStart(std::string_view text, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (at + 1 >= text.size() || text[at + 1] != '>') return at;
  }
  return std::string_view::npos;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// word is upper case.
std::size_t FindIgnoringCase(std::string_view text, std::string_view word) {
  const auto at = std::search(text.begin(), text.end(), word.begin(), word.end(),
                              [](char a, char b) { return AsciiUpper(a) == b; });
  return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

// Mode 2 puts the caret where the end tag goes: before the next tag start
// after the caret. A tag that starts a later line leaves the end tag at the
// end of the line before, when that line holds text. When no tag follows,
// the end tag goes to the end of the text, on a line of its own: true when
// a line break must come before it for that.
bool MoveCaretToEndTagPlace(TCustomAFEdit& edit) {
  const int caretRow = edit.CaretPos.Y;
  TLine line = ReadLine(edit, FirstRowOfLine(edit, caretRow));
  std::size_t from = line.RowStarts[caretRow - line.FirstRow] +
                     static_cast<std::size_t>(std::max(0, edit.ColToIndex(caretRow, edit.CaretPos.X)));
  for (bool caretLine = true;; caretLine = false) {
    const std::size_t tag = FindTagStart(line.Text, from);
    if (tag != std::string_view::npos) {
      const int before = line.FirstRow - 1;
      if (tag == 0 && !caretLine && edit.GetRow(before).size() > 1) {
        edit.MoveCaretTo(TPoint{edit.RowEndCol(before), before});
      } else {
        MoveCaretToByte(edit, line, tag);
      }
      return false;
    }
    if (line.LastRow() + 1 >= edit.RowCount()) break;
    line = ReadLine(edit, line.LastRow() + 1);
    from = 0;
  }
  const int last = edit.RowCount() - 1;
  edit.MoveCaretTo(TPoint{edit.RowEndCol(last), last});
  return !line.Text.empty();
}

// InsertText opens an undo group of its own; this one joins the group of
// the insertion before it, so that one undo takes both back.
void InsertInGroup(TCustomAFEdit& edit, int group, const std::string& s) {
  edit.UndoGroup = group - 1;
  edit.InsertText(s);
}

}  // namespace

std::string EndTagFor(std::string_view startTag) {
  const std::size_t open = startTag.find('<');
  if (open == std::string_view::npos) return {};
  std::size_t end = open + 1;
  const auto isNameChar = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == ':' || c == '_' || c == '.';
  };
  while (end < startTag.size() && isNameChar(startTag[end])) ++end;
  const std::string_view name = startTag.substr(open + 1, end - open - 1);
  if (name.empty() || !std::isalpha(static_cast<unsigned char>(name.front()))) return {};
  return "</" + std::string(name) + ">";
}

void TTagInserter::InsertPlain(TCustomAFEdit& edit, const std::string& s) {
  edit.InsertText(s);
  LastTag = s;
}

void TTagInserter::InsertTag(TCustomAFEdit& edit, const std::string& s, int mode) {
  if (mode != tmWithEndTag && mode != tmEnclose) {
    InsertPlain(edit, s);
    return;
  }
  const std::string endTag = EndTagFor(s);
  LastTag = endTag;
  if (mode == tmWithEndTag) {
    edit.InsertText(s + endTag);
    return;
  }
  edit.InsertText(s);
  if (endTag.empty()) return;
  const int group = edit.UndoGroup;
  const bool lineBreak = MoveCaretToEndTagPlace(edit);
  InsertInGroup(edit, group, lineBreak ? '\r' + endTag : endTag);
}

bool TTagInserter::InsertBodyAttribute(TCustomAFEdit& edit, const std::string& attribute) {
  std::size_t at = std::string::npos;
  TLine line;
  for (int row = 0; row < edit.RowCount() && at == std::string::npos; row = line.LastRow() + 1) {
    line = ReadLine(edit, row);
    at = FindIgnoringCase(line.Text, "<BODY");
  }
  if (at == std::string::npos) return false;
  // The BODY tag's own ">", which may stand on a later line.
  for (std::size_t from = at + 5;; from = 0) {
    at = line.Text.find('>', from);
    if (at != std::string::npos) break;
    if (line.LastRow() + 1 >= edit.RowCount()) return false;
    line = ReadLine(edit, line.LastRow() + 1);
  }
  DropSelection(edit);  // so that InsertText does not delete it
  MoveCaretToByte(edit, line, at);
  edit.InsertText(' ' + attribute);
  LastTag = attribute;
  return true;
}
