// Construction, lifecycle and the published properties of the control.
#include "editor/afedit.h"

#include <algorithm>
#include <cctype>

#include "editor/rowpainter.h"
#include "editor/switches.h"

namespace {

// Characters that may not end a row: （［｛「〔《『【〈≪‘“({[
const char kDefaultBanEnd[] =
    "\x81i\x81m\x81o\x81u\x81k\x81s\x81w\x81y\x81q\x81\xE1\x81""e\x81g({[";

// Characters that may not begin a row: 、。，．？！゛゜…‥’”）〕］｝〉》」』】≫
// ぁぃぅぇぉっゃゅょァィゥェォッャュョ)]},.;:
const char kDefaultBanHead[] =
    "\x81""A\x81""B\x81""C\x81""D\x81H\x81I\x81J\x81K\x81""c\x81""d\x81""f\x81h\x81j\x81l\x81n"
    "\x81p\x81r\x81t\x81v\x81x\x81z\x81\xE2\x82\x9F\x82\xA1\x82\xA3\x82\xA5\x82\xA7\x82\xC1"
    "\x82\xE1\x82\xE3\x82\xE5\x83@\x83""B\x83""D\x83""F\x83H\x83""b\x83\x83\x83\x85\x83\x87"
    ")]},.;:";

// The 83 characters of code page 932 row 0x87 (circled numbers, Roman
// numerals, unit symbols, ...) that other code pages lack.
const char kDefaultDependenceChar[] =
    "\x87\x8B\x87\x86\x87\x8C\x87\x85\x87\x88\x87\x8A\x87\x87\x87\x89\x87\x8F\x87\x8E\x87\x8D"
    "\x87\x7E\x87\x6E\x87\x6D\x87\x6C\x87\x6B\x87\x6A\x87\x69\x87\x68\x87\x67\x87\x66\x87\x65"
    "\x87\x64\x87\x63\x87\x62\x87\x61\x87\x60\x87\x5F\x87\x84\x87\x82\x87\x6F\x87\x72\x87\x75"
    "\x87\x71\x87\x83\x87\x73\x87\x70\x87\x74\x87\x53\x87\x52\x87\x51\x87\x50\x87\x4F\x87\x4E"
    "\x87\x4D\x87\x4C\x87\x4B\x87\x4A\x87\x5D\x87\x49\x87\x5C\x87\x48\x87\x5B\x87\x47\x87\x5A"
    "\x87\x46\x87\x59\x87\x45\x87\x58\x87\x44\x87\x57\x87\x43\x87\x56\x87\x42\x87\x55\x87\x41"
    "\x87\x54\x87\x40\x87\x99\x87\x96\x87\x91\x87\x90\x87\x9A\x87\x93\x87\x92\x87\x9C\x87\x9B"
    "\x87\x97\x87\x98\x87\x95\x87\x94\x87\x81\x87\x80";

constexpr TViewOptions kAllViewOptionsButFold{
    TViewOption::voDependence, TViewOption::voHankana,     TViewOption::voCr,
    TViewOption::voAnsiSpace,  TViewOption::voTab,         TViewOption::voIndent,
    TViewOption::voColIndicate, TViewOption::voKeyWord,    TViewOption::voRowNum,
    TViewOption::voWrapLine};

}  // namespace

TCustomAFEdit::TCustomAFEdit(TEditHost& host)
    : host_(host),
      painter_(std::make_unique<TRowPainter>(*this)),
      banEnd_(kDefaultBanEnd),
      banHead_(kDefaultBanHead),
      dependenceChar_(kDefaultDependenceChar),
      viewOpt_(kAllViewOptionsButFold) {
  blocks_.OnDelete = [this](int first, int last) {
    if (OnBlockDelete) OnBlockDelete(first, last);
  };
  banHeadSet_.Assign(banHead_);
  banEndSet_.Assign(banEnd_);
  dependenceSet_.Assign(dependenceChar_);
  EditSwitches::UndoSuspended = false;
  textArea_ = TRect{40, 0, 200, 100};
  UpdateMetrics(false);
  RebuildKeywordChars();
  undo_.ClearAll();
  rows_.Append(std::string(), MakeAttr(false, 0, defWrapPos_));
}

TCustomAFEdit::~TCustomAFEdit() = default;

void TCustomAFEdit::Loaded() {
  FontRefresh();
  undo_.ClearAll();
  if (OnUndoChange) OnUndoChange(false, false);
  if (RowCount() == 0) rows_.Append(std::string(), MakeAttr(false, 0, defWrapPos_));
  undo_.ClearAll();
  CaretPos = TPoint{0, 0};
  UpdateCaret();
}

TLineAttr TCustomAFEdit::MakeAttr(bool redraw, int indent, int wrapPos) const {
  TLineAttr a;
  a.Color = font_.Color;
  a.BkColor = color_;
  a.Indent = static_cast<std::int16_t>(indent);
  a.WrapPos = static_cast<std::int16_t>(wrapPos);
  a.Redraw = redraw;
  return a;
}

// ---- Keywords

namespace {

// The keyword list's order: bytes compared without regard to ASCII case.
bool KeywordLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

void TCustomAFEdit::SetKeywords(const std::vector<std::string>& words) {
  keywords_ = words;
  std::sort(keywords_.begin(), keywords_.end(), KeywordLess);
  RebuildKeywordChars();
}

void TCustomAFEdit::RebuildKeywordChars() {
  std::fill(std::begin(keywordChars_), std::end(keywordChars_), false);
  for (int c = 'A'; c <= 'Z'; ++c) keywordChars_[c] = keywordChars_[c + 'a' - 'A'] = true;
  for (const std::string& w : keywords_)
    for (unsigned char b : w) keywordChars_[b] = true;
}

bool TCustomAFEdit::IsKeyword(std::string_view word) const {
  const auto it = std::lower_bound(keywords_.begin(), keywords_.end(), word, KeywordLess);
  return it != keywords_.end() && !KeywordLess(word, *it);
}

// ---- Properties with side effects

void TCustomAFEdit::SetColor(TColor v) {
  const TColor old = color_;
  color_ = v;
  for (int r = 0; r < RowCount(); ++r)
    if (rows_.Attr(r).BkColor == old) rows_.Attr(r).BkColor = v;
  Paint();
}

void TCustomAFEdit::SetDefWrapPos(int v) {
  const int old = defWrapPos_;
  defWrapPos_ = v;
  for (int r = 0; r < RowCount(); ++r)
    if (rows_.Attr(r).WrapPos == old) rows_.Attr(r).WrapPos = static_cast<std::int16_t>(v);
}

void TCustomAFEdit::SetDependenceChar(std::string v) {
  dependenceChar_ = std::move(v);
  dependenceSet_.Assign(dependenceChar_);
}

void TCustomAFEdit::SetFont(const TFont& font) {
  font_ = font;
  FontRefresh();
}

void TCustomAFEdit::SetColDependence(TColor v) {
  colDependence_ = v;
  FontRefresh();
}

void TCustomAFEdit::SetColKeyWord(TColor v) {
  colKeyWord_ = v;
  FontRefresh();
}

void TCustomAFEdit::SetKeywordStyle(TFontStyles v) {
  keywordStyle_ = v;
  FontRefresh();
}

void TCustomAFEdit::SetColSelText(TColor v) {
  colSelText_ = v;
  FontRefresh();
}

void TCustomAFEdit::SetColLeftMgn(TColor v) {
  colLeftMgn_ = v;
  Paint();
}

void TCustomAFEdit::SetColRowNo(TColor v) {
  colRowNo_ = v;
  Paint();
}

void TCustomAFEdit::SetCharPich(int v) {
  charPich_ = v;
  UpdateMetrics(true);
}

void TCustomAFEdit::SetLeftMgn(int v) {
  leftMgn_ = v;
  UpdateMetrics(true);
}

void TCustomAFEdit::SetTopMgn(int v) {
  topMgn_ = v;
  UpdateMetrics(true);
}

// The new pitch takes effect at the next metrics update.
void TCustomAFEdit::SetRowPich(int v) {
  rowPich_ = v;
  Paint();
}

void TCustomAFEdit::SetScrollBars(TScrollStyle v) {
  scrollBars_ = v;
  UpdateScrollBars();
}

void TCustomAFEdit::SetViewOpt(TViewOptions v) {
  viewOpt_ = v;
  if (!updating_) UpdateMetrics(true);
}

std::string TCustomAFEdit::FormatRowNumber(int number) const {
  // The format comes from the settings file: only "%[-][width]d" is
  // understood; any other text is shown as it stands.
  const std::string& f = rowDspFmt_;
  const std::size_t pct = f.find('%');
  if (pct == std::string::npos) return f;
  std::size_t i = pct + 1;
  const bool left = i < f.size() && f[i] == '-';
  if (left) ++i;
  int width = 0;
  while (i < f.size() && std::isdigit(static_cast<unsigned char>(f[i])) && width < 100)
    width = width * 10 + (f[i++] - '0');
  if (i >= f.size() || f[i] != 'd') return f;
  std::string digits = std::to_string(number);
  const std::size_t pad = digits.size() < static_cast<std::size_t>(width) ? width - digits.size() : 0;
  digits = left ? digits + std::string(pad, ' ') : std::string(pad, ' ') + digits;
  return f.substr(0, pct) + digits + f.substr(i + 1);
}

void TCustomAFEdit::FontRefresh() {
  if (font_.Color != EditSwitches::LastFontColor) {
    for (int r = 0; r < RowCount(); ++r)
      if (rows_.Attr(r).Color == EditSwitches::LastFontColor) rows_.Attr(r).Color = font_.Color;
    EditSwitches::LastFontColor = font_.Color;
  }
  UpdateMetrics(false);
  if (host_.HasFocus()) {
    host_.CreateCaret(2, charHeight_);
    host_.ShowCaret();
    // The next caret update gives the caret its mode's shape in the new size.
    caretShapeKnown_ = false;
  }
  BuildCRMarks(colCr_, color_);
}
