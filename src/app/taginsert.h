// How the HTML commands put their text into a document: a start tag alone,
// with its end tag, or with its end tag before the next tag of the text;
// an attribute into the document's BODY tag; and the last tag inserted,
// which Ctrl+0 inserts again.
#pragma once

#include <string>
#include <string_view>

class TCustomAFEdit;

// The tag modes of "タグ入力方法の切り替え".
enum TTagMode : int {
  tmStartTag = 0,
  tmWithEndTag = 1,
  tmEnclose = 2,
};

// "</NAME>" for the element name that follows the first "<" of startTag;
// empty when no element name follows it. Attributes never go into it.
std::string EndTagFor(std::string_view startTag);

class TTagInserter {
 public:
  // What "直前と同じタグを貼り付け" inserts; empty at start.
  std::string LastTag;

  // s at the caret, in place of a selection.
  void InsertPlain(TCustomAFEdit& edit, const std::string& s);
  // The start tag s by mode; a mode other than 1 and 2 inserts s alone,
  // as the ticked "始まりのタグ" says. Enclosing is one undo step.
  void InsertTag(TCustomAFEdit& edit, const std::string& s, int mode);
  // A space and the attribute before the ">" of the first BODY tag, in
  // any letter case. False, with nothing changed, without such a tag. A
  // selection is let go, not deleted.
  bool InsertBodyAttribute(TCustomAFEdit& edit, const std::string& attribute);
};
