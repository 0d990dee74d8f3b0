// TCustomAFEdit: the editor control. It holds the document as display rows
// of Shift-JIS text, wraps them, keeps the undo history and the selections,
// reacts to keys and the mouse, and paints itself through a TEditHost.
// No toolkit header is included here: the Qt widget is one host of many.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/attrlists.h"
#include "editor/bytekind.h"
#include "editor/charset.h"
#include "editor/filereplace.h"
#include "editor/host.h"
#include "editor/ime.h"
#include "editor/keys.h"
#include "editor/rowlist.h"
#include "editor/runcolors.h"
#include "editor/selarea.h"
#include "editor/types.h"
#include "editor/undobuff.h"
#include "editor/wraprows.h"
#include "encoding/filetext.h"

// Load options of LoadFromStream.
constexpr int loTabsToSpaces = 2;
constexpr int loTabsToIndent = 4;
constexpr int loWrap = 64;
// Save options of SaveToStream / SaveToFile.
constexpr int soTabsToSpaces = 2;
constexpr int soIndentAsTabs = 8;
constexpr int soIndentAsSpaces = 16;
constexpr int soEveryRowALine = 32;

// Options of FindText and the replace operations.
constexpr int foIgnoreCase = 1;
constexpr int foBackward = 2;

// Orders of SortLines: by text (lower case before upper case), by text with
// letter case ignored, by length in characters, and lines holding a given
// string first.
enum class TSortMode { Text, TextIgnoreCase, Length, Containing };

// s without the bytes below space other than TAB and CR: they never enter a row.
std::string WithoutControlBytes(std::string s);

// Fill byte standing for the columns a TAB covers before its own column.
constexpr char kTabFill = 11;
// Byte standing for a column of virtual indent in the painter's display form.
constexpr char kIndentByte = 1;

class TLineRows;
class TRowPainter;

class TCustomAFEdit {
  friend class TRowPainter;

 public:
  explicit TCustomAFEdit(TEditHost& host);
  virtual ~TCustomAFEdit();
  TCustomAFEdit(const TCustomAFEdit&) = delete;
  TCustomAFEdit& operator=(const TCustomAFEdit&) = delete;

  // After the host has set the initial property values.
  void Loaded();

  // ---- Events (fired only when assigned)
  std::function<void(int index, std::string& newLine, bool& canModify)> OnBeforeChange;
  std::function<void()> OnChange;
  std::function<void(int index, std::string& newLine)> OnLineInsert;
  std::function<void(int index)> OnLineDelete;
  std::function<void(bool canUndo, bool canRedo)> OnUndoChange;
  std::function<void()> OnSelect;
  std::function<void()> OnDisSelect;
  std::function<void()> OnStatusChange;
  std::function<void()> Onimechange;
  std::function<void(int index, const TRect& rect, const std::string& tabExStr, bool& defaultDraw)>
      OnDrawLine;
  std::function<void(int index, const TRect& rect, std::string& text, bool& defaultDraw)> OnDrawLeftMgn;
  std::function<void(const TRect& rect, bool defaultDraw)> OnDrawColIndi;
  std::function<void(const std::string& line, int& wrapPos)> OnWordBreak;
  std::function<void(int firstRow, int lastRow)> OnBlockDelete;
  // The framework's key events, run before the control's own handling.
  std::function<void(int& key, TShiftState shift)> OnKeyDown;
  std::function<void(char& key)> OnKeyPress;
  std::function<void(int& key, TShiftState shift)> OnKeyUp;

  // ---- Rows and positions
  int RowCount() const { return rows_.Count(); }
  // The row's bytes, trailing CR included; valid until the rows change.
  std::string_view GetRow(int index) const { return rows_.Text(index); }
  TLineAttr* RowAttr(int index) { return &rows_.Attr(index); }
  TColAttrList& ColAttrs(int row) { return rows_.ColAttrs(row); }
  TColAttrList* ColAttrsOrNull(int row) const { return rows_.ColAttrsOrNull(row); }
  void ClearColAttrs(int row) { rows_.ClearColAttrs(row); }
  bool RowHasCR(int row) const { return rows_.HasCR(row); }
  TBlkAttrList& BlkAttrs() { return blocks_; }
  TLineAttr MakeAttr(bool redraw, int indent, int wrapPos) const;
  int ColToIndex(int row, int x) const;
  TPoint IndexToCol(TPoint p) const;
  std::string ExpandTabs(std::string_view s, bool toSpaces) const;
  // Indent as spaces followed by the tab-expanded text: what the caret and
  // wrapping measure.
  std::string DisplayString(int row) const;
  int DisplayLength(int row) const;
  // The column in front of the row's CR, or its display length without one.
  int RowEndCol(int row) const;
  // Where a caret position stands in the file (filepos.cpp).
  TFilePos FilePosOf(TPoint p) const;
  std::string GetTextRange(TPoint from, TPoint to, bool layout) const;
  std::string SelText() const;
  // Bytes of the rows the selection touches, counted without building its
  // text: the size of what a command on the selection has ahead of it.
  std::size_t SelRowBytes() const;
  std::string Text() const;
  void SetText(std::string_view text);

  // ---- Row changes (each one step of the current undo group)
  void AddRow(std::string s, const TLineAttr& attr);
  void AppendRow(std::string s);
  void InsertRow(int index, std::string s, const TLineAttr& attr);
  void DeleteRow(int index);
  void RemoveRow(int index);
  void SetRow(int index, std::string s, bool newGroup);
  void ReplaceRow(int index, std::string s) { SetRow(index, std::move(s), true); }
  using TRowCompare = std::function<int(const TCustomAFEdit& edit, int i, int j)>;
  void SortRows(int first, int last, bool recordUndo, const TRowCompare& compare);
  void InsertRowText(int index, std::string s);

  // ---- Editing
  void InsertText(std::string s);
  void DeleteSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void SelectAll();
  void Undo();
  void Redo();
  void ReformatAll();
  void RecordWidthChange(int delta);
  void NotifyUndoChange();
  bool Edited() const { return undo_.Edited(); }
  void SetEdited(bool edited) { undo_.SetEdited(edited); }
  int UndoMax() const { return undo_.Limit; }
  void SetUndoMax(int limit);
  const TUndoBuff& UndoBuffer() const { return undo_; }
  void ClearUndo() { undo_.ClearAll(); }
  int UndoGroup = 0;

  // ---- Search, replace and sorting. Positions are byte positions (X a
  // byte index into the row); options are fo* flags.
  // Found.X == -1 when not found. Forward, matches start at or after `from`
  // and end by `limit`; backward, they end by `from` and start at or after
  // `limit`. A match may run from one row into the next.
  void FindText(std::string_view s, TPoint from, TPoint& found, int options, TPoint limit) const;
  // Where find-next starts: the caret, or backward the start of the
  // selection when there is one.
  TPoint SearchStart(bool backward) const;
  // Selects `length` bytes from `start` on (into the rows that follow when
  // they run past the row) with the caret at their end, in view.
  void SelectFound(TPoint start, int length);
  // The selection holds exactly s (letter case aside with foIgnoreCase).
  bool SelectionHolds(std::string_view s, int options) const;
  // When the selection holds s, replaces it with r as one user operation
  // (InsertText) and returns true. `next` gets where the next search starts:
  // behind the replacement, or backward in front of it, so that it is never
  // found again.
  bool ReplaceSelection(std::string_view s, std::string r, int options, TPoint& next);
  // Replaces, as one user operation, the selection when it holds s and every
  // match from there to the end of the text (backward: to its start). A
  // replacement is never searched again. Returns the number replaced; the
  // caret ends behind the last one.
  int ReplaceAll(std::string_view s, std::string_view r, int options);
  // Sorts the logical lines as one user operation: each moves with all its
  // rows. An empty last row stays last; a last line without a line end takes
  // part, and the text still ends without one.
  void SortLines(TSortMode mode, std::string_view sortString);

  // ---- Loading and saving
  void LoadFromStream(std::istream& stream, int options);
  // Each row's CR is written as `lineEnd`; the text itself keeps CR.
  void SaveToStream(std::ostream& stream, int options, TLineEnd lineEnd = TLineEnd::CrLf) const;
  // Writes beside the target and replaces it only after a complete write
  // (ReplaceFile). False (the text stays edited, *error says why) when it
  // could not.
  bool SaveToFile(const std::string& fileName, int options, std::string* error = nullptr,
                  TLinkPolicy links = TLinkPolicy::Follow, TLineEnd lineEnd = TLineEnd::CrLf);

  // ---- Wrapping
  // Where to cut the display string s for wrap width w; minPos is the
  // smallest position the line-break rules may return.
  int FindWrapPos(std::string_view s, int w, int minPos);
  // Re-wraps row and the rows after it up to the end of its logical line.
  void ReflowRow(int row);
  int WrapWidth() const;

  // ---- Caret and selection
  TPoint CaretPos;
  bool InsertMode = true;
  bool ShiftSelecting = false;
  bool Composing = false;
  TSelArea& Sel() { return sel_; }
  const TSelArea& Sel() const { return sel_; }
  void MoveCaretTo(TPoint p);
  void UpdateCaret();
  void CaretLeft();
  void CaretRight();
  void CaretMoved();
  TPoint SnapCaret(TPoint p, bool fromMouse);
  // Where typed text lands, and so where the caret is drawn (see caret.cpp).
  TPoint InsertionPoint() const;
  TPoint ClampPos(TPoint p) const;
  void UpdateRowSelBounds();
  void CheckSelState();
  // The selection with its points pulled back inside the rows.
  TSelArea ClampedSelection() const;
  void ClampSelection();

  // ---- Messages from the host
  void WMKeyDown(int vk, unsigned keyData);
  void WMChar(char ch);
  void WMKeyUp(int vk);
  bool HandleCharKey(char ch);
  bool WantsSpecialKey(int vk) const;
  void WMLButtonDown(int x, int y, TShiftState shift);
  void WMMouseMove(int x, int y, TShiftState shift);
  void WMLButtonUp(int x, int y, TShiftState shift);
  void WMLButtonDblClk(int x, int y, TShiftState shift);
  void MouseLeave();
  void WMVScroll(int code, int pos);
  void WMHScroll(int code, int pos);
  void WMSetFocus();
  void WMKillFocus();
  void WMSize(int clientWidth, int clientHeight);
  void WMCopy() { CopyToClipboard(); }
  void WMCut();
  void WMPaste();
  void WMClear();
  void WMUndo();
  // A confirmed input-method string (Shift-JIS): inserted as one undo step.
  // It may replace `replaceLength` UTF-16 units of the text starting
  // `replaceFrom` units from the caret (ImeSurrounding counts them); a
  // selection is then removed first, as Qt's input methods expect.
  void WMImeResult(const std::string& text, int replaceFrom = 0, int replaceLength = 0);
  // The input method reports a change (IMN_* code).
  void WMImeNotify(int code);
  void SetFocus();
  TPoint CellAt(int x, int y) const;
  void UpdateScrollBars();
  void SetTopRow(int row);
  int MouseMode = 0;

  // ---- Painting
  void UpdateMetrics(bool repaint);
  virtual void Paint();
  void RepaintDirty();
  void PaintRow(int row);
  void PaintLeftMargin(int row, std::string text);
  void PaintColIndicator();
  // Refreshes the mark colour and the CR marks from the system colours.
  void NonClientPaint();
  // Makes the normal and the selected CR mark for a CR colour on a background.
  void BuildCRMarks(TColor crColor, TColor background);
  const TBitmap& CRMark(bool selected) const { return selected ? crMarkSelected_ : crMarkNormal_; }
  // The colours column `col` of `row` is drawn in; `index` is its byte index
  // (ColToIndex), `displayLength` the length of the row's display form;
  // `colAttr` is the column attribute a ColAttr run is drawn with.
  TRunColors RunColors(int row, int col, int index, int displayLength, TRunKind kind,
                       const TColAttr& colAttr = {}) const;
  bool CellSelected(int row, int col, int displayLength) const;
  void RepaintColumns(int row, int col1, int col2);
  void BeginUpdate();
  void EndUpdate();
  void SetPaintRect(const TRect& r) { paintRect_ = r; }
  int CharHeight() const { return charHeight_; }
  int RowHeight() const { return rowHeight_; }
  int CellWidth() const { return cellWidth_; }
  int TextLeft() const { return textArea_.Left; }
  int TextTop() const { return textArea_.Top; }
  const TRect& TextArea() const { return textArea_; }
  int ClientWidth() const { return textArea_.Right; }
  int ClientHeight() const { return textArea_.Bottom; }
  int VisibleRows() const;
  int VisibleCols() const;
  TColor MarkColor() const { return markColor_; }
  int TopRow = 0;
  int LeftCol = 0;
  int MaxRowLen = 0;

  // ---- Input method
  // The input method's mode for the status bar (UTF-8, see ime.h).
  std::string ImeModeText = "　　A";
  // The text around the caret that an input method may read (see ime.cpp).
  TImeSurrounding ImeSurrounding() const;

  // ---- Properties
  int AccelRate() const { return accelRate_; }
  void SetAccelRate(int v) { accelRate_ = v; }
  const std::string& BanEnd() const { return banEnd_; }
  void SetBanEnd(std::string v);
  const std::string& BanHead() const { return banHead_; }
  void SetBanHead(std::string v);
  int CharPich() const { return charPich_; }
  void SetCharPich(int v);
  TColor ColColumnNo() const { return colColumnNo_; }
  void SetColColumnNo(TColor v) { colColumnNo_ = v; }
  TColor ColColumnIndi() const { return colColumnIndi_; }
  void SetColColumnIndi(TColor v) { colColumnIndi_ = v; }
  TColor ColCr() const { return colCr_; }
  void SetColCr(TColor v) { colCr_ = v; }
  TColor ColDependence() const { return colDependence_; }
  void SetColDependence(TColor v);
  TColor ColKeyWord() const { return colKeyWord_; }
  void SetColKeyWord(TColor v);
  TColor ColLeftMgn() const { return colLeftMgn_; }
  void SetColLeftMgn(TColor v);
  TColor ColRowNo() const { return colRowNo_; }
  void SetColRowNo(TColor v);
  TColor ColSelBrush() const { return colSelBrush_; }
  void SetColSelBrush(TColor v) { colSelBrush_ = v; }
  TColor ColSelText() const { return colSelText_; }
  void SetColSelText(TColor v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int DefWrapPos() const { return defWrapPos_; }
  void SetDefWrapPos(int v);
  const std::string& DependenceChar() const { return dependenceChar_; }
  void SetDependenceChar(std::string v);
  bool IsDependenceChar(std::string_view ch) const { return dependenceSet_.Contains(ch); }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  const std::vector<std::string>& Keywords() const { return keywords_; }
  void SetKeywords(const std::vector<std::string>& words);
  bool IsKeywordChar(unsigned char b) const { return keywordChars_[b]; }
  bool IsKeyword(std::string_view word) const;
  TFontStyles KeywordStyle() const { return keywordStyle_; }
  void SetKeywordStyle(TFontStyles v);
  int LeftMgn() const { return leftMgn_; }
  void SetLeftMgn(int v);
  TAFEditOptions Options() const { return options_; }
  void SetOptions(TAFEditOptions v) { options_ = v; }
  bool HasOption(TAFEditOption o) const { return options_.Has(o); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  const std::string& RowDspFmt() const { return rowDspFmt_; }
  void SetRowDspFmt(std::string v) { rowDspFmt_ = std::move(v); }
  std::string FormatRowNumber(int number) const;
  int RowPich() const { return rowPich_; }
  void SetRowPich(int v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  int TabSize() const { return tabSize_; }
  void SetTabSize(int v) { tabSize_ = v; }
  int TopMgn() const { return topMgn_; }
  void SetTopMgn(int v);
  TViewOptions ViewOpt() const { return viewOpt_; }
  void SetViewOpt(TViewOptions v);
  bool HasView(TViewOption o) const { return viewOpt_.Has(o); }
  int WrapLeadBytes() const { return wrapLeadBytes_; }
  void SetWrapLeadBytes(int v) { wrapLeadBytes_ = v; }
  int WrapTrailBytes() const { return wrapTrailBytes_; }
  void SetWrapTrailBytes(int v) { wrapTrailBytes_ = v; }


 protected:
  void FontRefresh();
  void DrawRow(int row, const TRect& rect);
  int XOfCol(int col) const { return (col - LeftCol) * cellWidth_ + TextLeft(); }
  int YOfRow(int row) const { return (row - TopRow) * rowHeight_ + TextTop(); }
  // One entry per byte of a run, each CellWidth.
  std::span<const int> Advances(std::size_t count);
  bool WidenMarginForRowNumbers();
  void DrawOnBand(int x, std::string_view text, TColor color, TColor bk, int clipLeft);
  void DrawRuler();
  void DrawIndicatorMarkers();
  void DrawCaretColumn();
  TCompositionPlace CompositionPlace(TPoint caret) const;
  void SelectSurrounding(int from, int length);
  TPixel ResolvedPixel(TColor color) { return PixelOf(IsSystemColor(color) ? host_.SystemColor(color) : color); }
  void ScrollToRow(int row, bool keepCaret);
  void ScrollColumns(int leftCol);
  void ExtendRowsToCaret();
  void InsertAtCaret(const std::string& s);
  void AdvanceCaret(int steps);
  void DeleteStreamSelection();
  void DeleteRowSelection();
  void FindForward(const std::string& needle, bool ignoreCase, TPoint from, TPoint& found,
                   TPoint limit) const;
  void FindBackward(const std::string& needle, bool ignoreCase, TPoint from, TPoint& found,
                    TPoint limit) const;
  // Up to `count` bytes of the rows that follow `row`, or that precede it
  // (from `limit` on), as a search compares them: a match may run over
  // several wrapped rows.
  std::string BytesFollowing(int row, std::size_t count, bool ignoreCase) const;
  std::string BytesPreceding(int row, std::size_t count, TPoint limit, bool ignoreCase) const;
  // The byte range of the stream selection, else of the row selection;
  // false without either.
  bool SelectionBytes(TPoint& from, TPoint& to) const;
  // The bytes between two byte positions as the rows hold them.
  std::string BytesBetween(TPoint from, TPoint to) const;
  // The rows first..last, one logical line, become `text`, re-wrapped.
  void ReplaceLine(int first, int last, std::string text);
  // Logical lines (lines.cpp): the rows from one that follows a CR (or the
  // first) to the next that ends with one (or the last).
  int LineFirstRow(int row) const;
  int LineLastRow(int row) const;
  std::string LineText(int first, int last) const;
  // Byte position p as an offset from the start of the row `first`.
  int OffsetFrom(int first, TPoint p) const;
  // The byte position `count` bytes after p, running on over the rows that
  // follow; at most the end of the last row.
  TPoint BytesAfter(TPoint p, int count) const;
  // The byte position `count` bytes before p; at least the start of the text.
  TPoint BytesBefore(TPoint p, int count) const;
  void FireUndoChange();
  void RebuildKeywordChars();
  void ResetDocument();
  long long CaretByteOffset() const;
  void PlaceCaretAtByteOffset(long long offset);
  bool Recording() const;
  // An undo record of the current group at the current caret.
  TUndoBuffItem Record(TUndoKind kind, int index, std::string_view textBefore, std::string_view textAfter,
                       const TLineAttr& attrBefore, const TLineAttr& attrAfter) const;
  TLayout CaptureLayout() const;
  // Lengths and records of `count` rows from `first`.
  TLayout CaptureRows(int first, int count) const;
  void RestoreLayout(const TLayout& layout);
  void RecordRelayout(TLayout before);
  bool ReplayGroup(bool undo, bool& relaid);
  void RewrapAfterReplay();
  void ReplayRecord(const TUndoBuffItem& rec, bool undo);
  void ReplayInsert(int index, std::string text, const TLineAttr& attr);
  void ReplayDelete(int index);
  void TakeRedoText(TUndoBuffItem& rec) const;
  void StoreNewRow(int index, std::string s, const TLineAttr& attr, bool record = true);
  // InsertRow without firing OnUndoChange; with `record` false, without an
  // undo record either, for a run of rows that RecordRowsInserted records as one.
  void PutNewRow(int index, std::string s, const TLineAttr& attr, bool record);
  void RecordRowsInserted(int first, int count);
  void ReplayWidth(int delta, bool undo);
  void MarkRowsRedraw(int from, int to);
  void MarkRowsToEndRedraw(int from);
  void RaiseMaxRowLen(int row);
  std::size_t RowBytes(int first, int last) const;
  // Column attributes and blocks following byte edits of one row.
  void ShiftAttrsInserted(int row, int at, int count);
  void ShiftAttrsDeleted(int row, int at, int count);
  // A change of a row's record alone (indent, wrap column): one undo step
  // with the text unchanged.
  void SetRowAttr(int index, const TLineAttr& attr);

  // Keyboard steps (keyboard.cpp, charkeys.cpp, words.cpp). The Key*
  // actions return false when the key skips the key-down tail.
  void UpdateShiftSelecting(int key, bool shiftDown);
  bool RunCtrlShortcut(int key);
  bool RunKey(int key, TShiftState shift);
  void KeyDownTail(int key, int repeats);
  bool KeyBackspace(bool ctrl);
  void OutdentCaretRow();
  void KeyPageUp();
  void KeyPageDown();
  bool KeyEnd(bool ctrl);
  void KeyHome(bool ctrl);
  void KeyArrowUp();
  void KeyArrowDown();
  void KeyInsert(TShiftState shift);
  bool KeyDelete(bool cut);
  bool DeleteCharAtCaret();
  void ReconvertSelection();
  void TypeBackspace();
  void TypeTab();
  void TypeEnter();
  void ClearSelections();
  std::string EnterIndent() const;
  bool CaretAtTextStart() const;
  void WordLeft();
  void WordRight();

  // Mouse steps (mouse.cpp, autoscroll.cpp, dblclick.cpp).
  void SetCursorShape(TCursorShape shape);
  void UpdateCursorShape(int x, int y);
  bool OverMarker(int x, int y) const;
  void PressMarker(TPoint p);
  void PressText(TPoint p, bool shift);
  void PressMargin(TPoint p, bool shift);
  void DragRows(int x, int y);
  void DragMarker(int col);
  void DragText(int x, int y);
  void AutoScrollRows(int x, int y, bool down);
  TPoint AutoScrollText(int x, int y, TPoint p);
  void RunAutoScroll(bool vertical, int at, const std::function<bool()>& step);
  void DropRows();
  void DropMarker(bool shift);
  void ChangeSelectedRows(const std::function<void(TLineAttr&)>& change);
  void ReflowSelectedRows();
  void InvertMarkerLine(int col);
  bool SelectColouredRun(int row, int i);

  // Wrapping steps (wrap.cpp). A step either continues with another row or
  // stops; Row is then the first row not yet looked at. LineEndOnly: the
  // next step may only take up a row holding just a line end (ReflowStep).
  struct TReflowNext {
    int Row;
    bool Done;
    bool LineEndOnly = false;
  };
  static TReflowNext Continue(int row) { return TReflowNext{row, false}; }
  static TReflowNext Stop(int row) { return TReflowNext{row, true}; }
  class TControlRows;
  TWrapStep DecideStep(const TWrapRows& rows, int row);
  TReflowNext ReflowStep(TWrapRows& rows, int row, bool lineEndOnly);
  int ReflowFrom(TWrapRows& rows, int row);
  std::vector<int> FindCuts(std::string_view text, int indent, std::vector<int>& cutCols);
  int ApplyCuts(int row, const std::string& text, const std::vector<int>& cuts,
                const std::vector<int>& cutCols, bool ownLine);
  void JoinNext(int row);
  void PullHeadUp(int row, int count);
  void PushTailDown(int row, int at);
  void MoveColAttrsUp(int row, int count);
  // Whole lines at once (rewrap.cpp): rows From..To change nothing when
  // re-wrapped as they are; the step at To ended its chain (PastEnd: by
  // running on past the line's last row).
  struct TQuietRows {
    int From = 1 << 30;
    int To = -1;
    bool PastEnd = false;
  };
  bool ChainInLine(TLineRows& rows, int row, TQuietRows& quiet);
  int WrapEveryRow(TLineRows& rows, int arriving);
  std::vector<int> CutLines(std::string_view text, int indent, bool lastOfDocument, std::vector<int>& cutCols);
  bool RewrapAllRows(bool asRead);
  std::vector<long long> RowOffsets() const;
  void KeepPlacesInText(const std::vector<long long>& oldOffsets, const std::vector<long long>& newOffsets);
  // Columns a wrap search may look at beyond the width (hanging).
  int WrapMargin() const;
  // Indent spaces and the tab-expanded text, stopped once `limit` columns
  // are reached; `consumed` tells how many bytes of text went in.
  std::string DisplayPrefix(int indent, std::string_view text, int limit,
                            std::size_t& consumed) const;
  const std::string& DisplayPrefix(int indent, std::string_view text, int limit, std::size_t& consumed,
                                   std::string& out) const;
  int IndexOfColumn(int indent, std::string_view text, int x) const;
  int TabCells(int written) const;  // columns of a TAB after `written` columns
  int ColumnOfIndex(int indent, std::string_view text, int index) const;

  TEditHost& host_;
  std::unique_ptr<TRowPainter> painter_;
  TRowList rows_;
  TBlkAttrList blocks_;
  TUndoBuff undo_;
  TSelArea sel_;
  std::vector<std::string> keywords_;
  bool keywordChars_[256] = {};

  // Wrap search counters and scratch buffers.
  int trailCount_ = 0;
  int leadCount_ = 0;
  std::vector<TByteKind> wrapKinds_;
  std::string wrapDisplay_;
  std::string wrapNext_;
  TSjisCharSet banHeadSet_;
  TSjisCharSet banEndSet_;

  // Geometry.
  int charHeight_ = 0;
  int rowHeight_ = 0;
  int cellWidth_ = 0;
  TRect textArea_;
  TRect paintRect_;
  bool updating_ = false;
  bool metricsKnown_ = false;
  TColor markColor_ = 0;
  int lastPaintedTopRow_ = -1;
  std::vector<int> advances_;
  // CR marks and what they were last built for (resolved colours).
  TBitmap crMarkNormal_;
  TBitmap crMarkSelected_;
  int crMarkHeight_ = -1;
  int crMarkSize_ = -1;  // in device pixels
  TPixel crMarkCr_ = 0;
  TPixel crMarkBk_ = 0;
  TPixel crMarkSel_ = 0;
  int indicatorCaretCol_ = -1;
  int indicatorLeftCol_ = -1;

  // Caret.
  bool caretShapeInsert_ = false;
  bool caretShapeOverDouble_ = false;
  bool caretShapeKnown_ = false;
  int hiddenCaretCount_ = 0;
  int scrollBarTopRow_ = -1;
  int scrollBarLeftCol_ = -1;

  // Mouse and scrolling.
  TCursorShape cursor_ = TCursorShape::Default;
  int dragColumn_ = 0;
  int lastDragRow_ = -1;
  TScrollInfo vScroll_;
  TScrollInfo hScroll_;
  bool vBarShown_ = false;
  bool hBarShown_ = false;

  // Properties.
  int accelRate_ = 2;
  std::string banEnd_;
  std::string banHead_;
  int charPich_ = 0;
  TColor colColumnNo_ = clWindowText;
  TColor colColumnIndi_ = clBtnFace;
  TColor colCr_ = clMaroon;
  TColor colDependence_ = 0xFF00FF;
  TColor colKeyWord_ = clWindowText;
  TColor colLeftMgn_ = clWindow;
  TColor colRowNo_ = clWindowText;
  TColor colSelBrush_ = clHighlight;
  TColor colSelText_ = clHighlightText;
  TColor color_ = clWindow;
  int defWrapPos_ = 60;
  std::string dependenceChar_;
  TSjisCharSet dependenceSet_;
  TFont font_;
  TFontStyles keywordStyle_ = 0;
  int leftMgn_ = 0;
  TAFEditOptions options_{TAFEditOption::aoAutoFormat};
  bool readOnly_ = false;
  std::string rowDspFmt_ = "%5d:";
  int rowPich_ = 2;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  int tabSize_ = 4;
  int topMgn_ = 0;
  TViewOptions viewOpt_;
  int wrapLeadBytes_ = 10;
  int wrapTrailBytes_ = 4;
};
