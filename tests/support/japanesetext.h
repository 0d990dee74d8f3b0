// Japanese texts for measuring encoding detection: pieces of the corpus and
// generated text of several kinds, in Shift-JIS, and each in the encodings
// the editor reads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "encoding/detect.h"

// Double-byte characters and half-width katakana in a Shift-JIS text.
std::size_t JapaneseChars(const std::string& sjis);

// How much a text must hold: at least `minBytes` bytes, and between
// `minJapanese` and `maxJapanese` Japanese characters.
struct TTextSize {
  std::size_t minBytes = 200;
  std::size_t minJapanese = 10;
  std::size_t maxJapanese = SIZE_MAX;
};

// Lines of the corpus files from a random line on, as many as the size asks.
std::vector<std::string> CorpusPieces(const std::string& corpusDir, std::mt19937& random, std::size_t count,
                                      const TTextSize& size);

// Prose, technical text with ASCII, half-width katakana with a few
// full-width characters, symbol-heavy text and rare kanji, in turn, in
// lines of 10 to 120 bytes, with at least so many bytes and Japanese
// characters.
std::vector<std::string> GeneratedTexts(std::mt19937& random, std::size_t count, std::size_t minBytes,
                                        std::size_t minJapanese);

// The Shift-JIS text in that encoding (EUC-JP as iconv writes it), or
// nothing when it has no form there.
std::optional<std::string> EncodedAs(const std::string& sjis, TDetected encoding);

// What the detector should say of the text in that encoding.
TDetected ExpectedAnswer(const std::string& sjis, TDetected encoding);

inline constexpr std::array<TDetected, 5> kTextEncodings = {
    TDetected::ShiftJis, TDetected::Jis, TDetected::Euc, TDetected::Utf8, TDetected::Ucs2};

// How often the detector was right, per encoding the texts were in, and how
// often an answer it gave was right.
struct TDetectionTally {
  struct TCounts {
    std::size_t texts = 0;    // texts in this encoding
    std::size_t right = 0;    // of them, named right
    std::size_t answers = 0;  // texts the detector gave this answer for
    std::size_t wrongAnswers = 0;
  };
  std::array<TCounts, 7> counts{};  // by TDetected
  std::vector<std::string> misses;  // "expected -> answer" with the text's start

  void Measure(const std::vector<std::string>& sjisTexts);
  const TCounts& Of(TDetected d) const { return counts[static_cast<std::size_t>(d)]; }
  // Right out of texts, in percent; 100 with no texts.
  double RecallPercent(TDetected d) const;
  double PrecisionPercent(TDetected d) const;
};
