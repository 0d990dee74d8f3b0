#include "editor/lineindex.h"

#include <cassert>

#include "editor/rowlist.h"
#include "encoding/sjis.h"

namespace {

// Rows a block gets when the index is built; a block twice as full is split.
constexpr int kBlockRows = 128;
constexpr int kMaxBlockRows = 2 * kBlockRows;

}  // namespace

long long RowChars(std::string_view row) {
  if (EndsWithCR(row)) row.remove_suffix(1);
  long long count = 0;
  for (std::size_t i = 0; i < row.size(); i += sjis::CharLen(row, i)) ++count;
  return count;
}

void TLineIndex::Clear() {
  blocks_.clear();
  last_ = TPlace{};
  ++version_;
}

void TLineIndex::Rebuild(const TRowList& rows) {
  Clear();
  for (int first = 0; first < rows.Count(); first += kBlockRows) {
    TBlock block;
    block.Rows = std::min(kBlockRows, rows.Count() - first);
    for (int r = first; r < first + block.Rows; ++r) block.LineEnds += rows.HasCR(r);
    blocks_.push_back(block);
  }
}

// Walks from the last place found, which stays valid across the changes
// made since (see Split and Deleting), so that nearby rows cost no walk.
TLineIndex::TPlace TLineIndex::Locate(int row) const {
  assert(!blocks_.empty());
  TPlace p = last_;
  if (p.Block >= static_cast<int>(blocks_.size())) p = TPlace{};
  while (p.Block > 0 && row < p.FirstRow) {
    --p.Block;
    p.FirstRow -= blocks_[p.Block].Rows;
    p.LinesBefore -= blocks_[p.Block].LineEnds;
  }
  const int lastBlock = static_cast<int>(blocks_.size()) - 1;
  while (p.Block < lastBlock && row >= p.FirstRow + blocks_[p.Block].Rows) {
    p.FirstRow += blocks_[p.Block].Rows;
    p.LinesBefore += blocks_[p.Block].LineEnds;
    ++p.Block;
  }
  last_ = p;
  return p;
}

void TLineIndex::Inserted(int row, const TRowList& rows) {
  if (blocks_.empty()) blocks_.push_back(TBlock{});
  const TPlace p = Locate(row);
  TBlock& block = blocks_[p.Block];
  ++block.Rows;
  block.LineEnds += rows.HasCR(row);
  Forget(block);
  if (block.Rows >= kMaxBlockRows) Split(p, rows);
}

// The second half becomes a block of its own after the first. The place
// remembered is the first half's, which starts where the whole block did.
void TLineIndex::Split(const TPlace& place, const TRowList& rows) {
  TBlock& first = blocks_[place.Block];
  TBlock second;
  second.Rows = first.Rows / 2;
  first.Rows -= second.Rows;
  const int secondStart = place.FirstRow + first.Rows;
  for (int r = secondStart; r < secondStart + second.Rows; ++r) second.LineEnds += rows.HasCR(r);
  first.LineEnds -= second.LineEnds;
  Forget(first);
  blocks_.insert(place.Block + 1, second);
}

void TLineIndex::Deleting(int row, std::string_view text) {
  const TPlace p = Locate(row);
  TBlock& block = blocks_[p.Block];
  --block.Rows;
  block.LineEnds -= EndsWithCR(text);
  Forget(block);
  // An empty block goes; the block after it starts where it started, so
  // the place remembered still holds unless it was the last.
  if (block.Rows == 0 && blocks_.size() > 1) {
    blocks_.erase(p.Block);
    if (last_.Block >= static_cast<int>(blocks_.size())) last_ = TPlace{};
  }
}

void TLineIndex::Changing(int row, std::string_view before, std::string_view after) {
  const TPlace p = Locate(row);
  TBlock& block = blocks_[p.Block];
  block.LineEnds += static_cast<int>(EndsWithCR(after)) - static_cast<int>(EndsWithCR(before));
  Forget(block);
}

int TLineIndex::LinesBefore(int row, const TRowList& rows) const {
  if (blocks_.empty()) return 0;
  const TPlace p = Locate(row);
  int lines = p.LinesBefore;
  for (int r = p.FirstRow; r < row; ++r) lines += rows.HasCR(r);
  return lines;
}

void TLineIndex::CountChars(TBlock& block, int firstRow, const TRowList& rows) const {
  if (block.Chars >= 0) return;
  long long chars = 0, tail = 0;
  for (int r = firstRow; r < firstRow + block.Rows; ++r) {
    const long long n = RowChars(rows.Text(r));
    chars += n;
    tail = rows.HasCR(r) ? 0 : tail + n;
  }
  block.Chars = chars;
  block.TailChars = tail;
}

long long TLineIndex::LineCharsBefore(int row, const TRowList& rows) const {
  if (blocks_.empty() || row <= 0) return 0;
  if (memo_.Version == version_ && memo_.Row == row) return memo_.Chars;
  long long chars = 0;
  if (memo_.Version == version_ && memo_.Row == row - 1) {
    chars = rows.HasCR(row - 1) ? 0 : memo_.Chars + RowChars(rows.Text(row - 1));
  } else {
    chars = -1;
    // The rows of its own block, back to the line's start...
    const TPlace p = Locate(row);
    long long sum = 0;
    for (int r = row - 1; r >= p.FirstRow && chars < 0; --r) {
      if (rows.HasCR(r)) {
        chars = sum;
      } else {
        sum += RowChars(rows.Text(r));
      }
    }
    // ...then whole blocks, back to one that ends a line.
    int first = p.FirstRow;
    for (int k = p.Block - 1; k >= 0 && chars < 0; --k) {
      TBlock& block = blocks_[k];
      first -= block.Rows;
      CountChars(block, first, rows);
      if (block.LineEnds > 0) {
        chars = sum + block.TailChars;
      } else {
        sum += block.Chars;
      }
    }
    if (chars < 0) chars = sum;  // the first line of the text
  }
  memo_ = {version_, row, chars};
  return chars;
}
