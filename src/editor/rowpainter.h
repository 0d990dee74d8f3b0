// Paints one row of the control: its display form in runs of equal colour,
// with the marks, keywords, column attributes and the selection. One painter
// lives in each control so that its buffers are reused from row to row.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/bytekind.h"
#include "editor/runcolors.h"
#include "editor/types.h"

class TCustomAFEdit;
class TColAttrList;

class TRowPainter {
 public:
  explicit TRowPainter(TCustomAFEdit& edit) : e_(edit) {}

  // `rect` is the part of the row's rectangle being repainted.
  void Paint(int row, const TRect& rect);

 private:
  void BuildDisplayForm();
  void ComputeSelectedColumns();
  bool OfferToHost();
  void ChooseColumns(int& first, int& end) const;
  void DrawColumns(int first, int end);
  int DrawColumn(int col);
  int DrawDoubleByte(int col);
  int DrawColAttrRun(int col, int end);
  int DrawTabMark(int col);
  void DrawCRMark(int col);
  void DrawLineEnd(int col);
  void FlushIndent(int lastCol);
  void AddWordByte(int col);
  void FinishWord();
  void DrawKeyword(int col, std::string_view word);
  void DrawWrapLine();

  void Append(int col, std::string_view bytes, const TRunColors& colors);
  void Flush();
  void DrawText(int col, std::string_view bytes, const TRunColors& colors);
  void DrawText(int col, std::string_view bytes, const TRunColors& colors, std::span<const int> advances);
  TRunColors Colors(int col, TRunKind kind) const;
  const TFont& FontOf(const TRunColors& colors);
  bool Selected(int col) const { return col >= selFrom_ && col < selTo_; }
  bool InWordSet(int col) const;
  // Indent and tab cells are the painter's own fill; bytes 1 and 11 in the
  // text itself are drawn as any other byte.
  bool IndentCell(int col) const { return index_[col] < 0; }
  bool TabCell(int col) const;
  int Length() const { return static_cast<int>(d_.size()); }
  std::string_view Bytes(int col, int count) const { return std::string_view(d_).substr(col, count); }

  TCustomAFEdit& e_;
  int row_ = 0;
  TRect rect_;
  int y_ = 0;
  TColAttrList* colAttrs_ = nullptr;
  std::string_view text_;  // the row's bytes

  // The display form (indent bytes, tab fill, a closing LF) and, per
  // column, its byte kind and its byte index in the row (ColToIndex).
  std::string d_;
  std::vector<TByteKind> kind_;
  std::vector<int> index_;
  int selFrom_ = 0, selTo_ = 0;  // the selected columns of this row

  std::string run_;  // bytes waiting to be drawn from column runCol_
  int runCol_ = 0;
  TRunColors runColors_;
  TRunColors textColors_;  // the colours of plain text at the current column
  bool textSelected_ = false;
  int wordCol_ = -1;
  int wordLen_ = 0;
  int indentCol_ = -1;  // first indent column waiting for its marks
  int nextBoundary_ = -1;
  std::vector<int> keywordAdvances_;
  TFont font_;
};
