// The commands that put a converted text in place of the selected text,
// as data: each command's id with what it makes of the selection.
// Shift-JIS in, Shift-JIS out; no toolkit involved.
#pragma once

#include <span>
#include <string>
#include <string_view>

// What a conversion makes of the selected text.
struct TConverted {
  enum class TOutcome {
    Replaced,    // Text takes the selection's place
    Unchanged,   // the command does nothing
    NotANumber,  // Text should have read as a 32-bit integer and does not
  };
  TOutcome Outcome = TOutcome::Unchanged;
  std::string Text;

  static TConverted Replace(std::string text) { return {TOutcome::Replaced, std::move(text)}; }
  static TConverted Keep() { return {}; }
  static TConverted NotANumber(std::string text) { return {TOutcome::NotANumber, std::move(text)}; }
};

struct TConversion {
  const char* Id;
  TConverted (*Convert)(std::string_view selected);
};

// The character kinds, separators, quotes, number notations and the year.
extern const std::span<const TConversion> kConversions;
