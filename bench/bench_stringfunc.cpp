// MapString over about 10 MB of Japanese text (the prose sample repeated),
// beside a plain code page 932 round trip of the same text. Rates are input
// bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "encoding/cp932.h"
#include "encoding/mapstring.h"

namespace {

constexpr std::size_t kTextSize = 10 << 20;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string& Prose() {
  static const std::string text = [] {
    const std::string sample = ReadFile(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt");
    std::string t;
    while (!sample.empty() && t.size() < kTextSize) t += sample;
    return t;
  }();
  return text;
}

// The prose with its katakana in half width, so that full width has kana to join.
const std::string& HalfWidthProse() {
  static const std::string text =
      stringfunc::MapString(stringfunc::LCMAP_HALFWIDTH | stringfunc::LCMAP_KATAKANA, Prose());
  return text;
}

template <typename Convert>
void Run(benchmark::State& state, const std::string& text, Convert convert) {
  if (text.empty()) state.SkipWithError("no sample text");
  for (auto _ : state) {
    const std::string out = convert(text);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void MapOver(benchmark::State& state, const std::string& (*text)(), std::uint32_t flags) {
  Run(state, text(), [flags](const std::string& t) { return stringfunc::MapString(flags, t); });
}

void Cp932RoundTrip(benchmark::State& state) {
  Run(state, Prose(), [](const std::string& t) { return cp932::FromUtf16(cp932::ToUtf16(t)); });
}

}  // namespace

BENCHMARK_CAPTURE(MapOver, HalfWidth, Prose, stringfunc::LCMAP_HALFWIDTH)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MapOver, FullWidth, Prose, stringfunc::LCMAP_FULLWIDTH)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MapOver, FullWidthOfHalfKana, HalfWidthProse, stringfunc::LCMAP_FULLWIDTH)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MapOver, Katakana, Prose, stringfunc::LCMAP_KATAKANA)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MapOver, UpperCase, Prose, stringfunc::LCMAP_UPPERCASE)->Unit(benchmark::kMillisecond);
BENCHMARK(Cp932RoundTrip)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
