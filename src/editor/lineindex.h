// Where the rows' logical lines begin, kept up to date as rows change, so
// that a position's line and column in the file are known at once however
// large the document. Rows are counted in blocks; each block knows how many
// of its rows end a line and, once asked, how many characters it holds.
// The row list tells the index of every change it makes.
#pragma once

#include <string_view>

#include "editor/blockvector.h"

class TRowList;

// A place in the file: logical line and character column, both from 1.
struct TFilePos {
  int Line = 1;
  long long Column = 1;
  bool operator==(const TFilePos&) const = default;
};

// Characters of a row, its line end not counted; a double-byte character
// counts one, as does a TAB.
long long RowChars(std::string_view row);

class TLineIndex {
 public:
  void Clear();
  // All rows anew, after they were added in bulk.
  void Rebuild(const TRowList& rows);
  // Row `row` was just inserted.
  void Inserted(int row, const TRowList& rows);
  // Row `row`, holding `text`, is about to go.
  void Deleting(int row, std::string_view text);
  // Row `row` is about to change from `before` to `after`.
  void Changing(int row, std::string_view before, std::string_view after);

  // Logical lines that end before `row`.
  int LinesBefore(int row, const TRowList& rows) const;
  // Characters of the logical line of `row` in the rows before it.
  long long LineCharsBefore(int row, const TRowList& rows) const;

 private:
  struct TBlock {
    int Rows = 0;
    int LineEnds = 0;  // rows that end with CR
    // Counted when first asked, -1 until then: all characters, and those
    // after the block's last line end.
    long long Chars = -1;
    long long TailChars = -1;
  };
  // A block with the rows and line ends of the blocks before it.
  struct TPlace {
    int Block = 0;
    int FirstRow = 0;
    int LinesBefore = 0;
  };

  // The block holding `row`; the last block for a row at the very end.
  TPlace Locate(int row) const;
  void CountChars(TBlock& block, int firstRow, const TRowList& rows) const;
  void Split(const TPlace& place, const TRowList& rows);
  void Forget(TBlock& block) {
    block.Chars = block.TailChars = -1;
    ++version_;
  }

  // Mutable: counting characters and remembering the last place found
  // change nothing a caller can see.
  mutable BlockVector<TBlock> blocks_;
  mutable TPlace last_;
  // The last answer of LineCharsBefore, while no row has changed since:
  // moving along a row, or down to the next one, costs no walk back.
  mutable struct {
    long long Version = -1;
    int Row = 0;
    long long Chars = 0;
  } memo_;
  long long version_ = 0;
};
