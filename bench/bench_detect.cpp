// Encoding detection: its time on 100 MB in each encoding (the corpus
// repeated), and how often it is right on texts of at least 200 bytes from
// the corpus and generated, in every encoding. The second is no timing:
// its counters are the figures (percent).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "encoding/detect.h"
#include "japanesetext.h"

namespace {

constexpr std::size_t kTextSize = 100 << 20;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string LargeText(TDetected encoding) {
  const std::string sample = ReadFile(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt") +
                             ReadFile(ZIB_CORPUS_DIR "/debian-reference-ch03.sjis.html");
  std::string sjis;
  while (!sample.empty() && sjis.size() < kTextSize) sjis += sample;
  return EncodedAs(sjis, encoding).value_or("");
}

void BM_Detect100MB(benchmark::State& state) {
  const TDetected encoding = kTextEncodings[static_cast<std::size_t>(state.range(0))];
  const std::string text = LargeText(encoding);
  if (text.empty()) state.SkipWithError("no sample text");
  state.SetLabel(std::string(DetectedName(encoding)) + ", " + std::to_string(text.size() >> 20) + " MB");
  for (auto _ : state) {
    const TDetected found = DetectEncoding(text);
    if (found != encoding) state.SkipWithError("detected the wrong encoding");
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_Detect100MB)->DenseRange(0, kTextEncodings.size() - 1)->Unit(benchmark::kMillisecond)->Iterations(10);

void Report(benchmark::State& state, const TDetectionTally& tally) {
  for (const TDetected encoding : kTextEncodings) {
    const std::string name(DetectedName(encoding));
    state.counters[name + "_texts"] = static_cast<double>(tally.Of(encoding).texts);
    state.counters[name + "_right%"] = tally.RecallPercent(encoding);
    state.counters[name + "_precision%"] = tally.PrecisionPercent(encoding);
  }
}

// Texts with at least 10 Japanese characters: 3,000 pieces of the corpus
// and 5,000 generated texts, each in the five encodings.
void BM_DetectionAccuracy(benchmark::State& state) {
  for (auto _ : state) {
    std::mt19937 random(2024);
    TDetectionTally tally;
    tally.Measure(CorpusPieces(ZIB_CORPUS_DIR, random, 3000, TTextSize{}));
    tally.Measure(GeneratedTexts(random, 5000, 200, 10));
    Report(state, tally);
  }
}
BENCHMARK(BM_DetectionAccuracy)->Unit(benchmark::kMillisecond)->Iterations(1);

// Pieces of the corpus with one to nine Japanese characters among ASCII.
void BM_DetectionAccuracyLittleJapanese(benchmark::State& state) {
  for (auto _ : state) {
    std::mt19937 random(2025);
    TDetectionTally tally;
    tally.Measure(CorpusPieces(ZIB_CORPUS_DIR, random, 3000, TTextSize{200, 1, 9}));
    Report(state, tally);
  }
}
BENCHMARK(BM_DetectionAccuracyLittleJapanese)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
