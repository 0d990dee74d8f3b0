// Every conversion over about 10 MB of real Japanese text, the corpus samples
// repeated, beside plain iconv on the same text. Rates are input bytes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "encoding/iconvcodec.h"
#include "encoding/sjisconv.h"
#include "encoding/unicodeconv.h"

namespace {

constexpr std::size_t kTextSize = 10 << 20;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Texts {
  std::string sjis, jis, euc, utf8, ucs2;
};

const Texts& TheTexts() {
  static const Texts texts = [] {
    const std::string sample = ReadFile(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt") +
                               ReadFile(ZIB_CORPUS_DIR "/debian-reference-ch03.sjis.html");
    Texts t;
    while (!sample.empty() && t.sjis.size() < kTextSize) t.sjis += sample;
    const TAutoSjisConv conv;
    t.jis = conv.SjisToJis(t.sjis);
    t.utf8 = SjisToUtf8(t.sjis);
    t.ucs2 = SjisToUcs2(t.sjis);
    t.euc = IconvCodec("EUC-JP-MS", "CP932").Convert(t.sjis).value_or("");
    return t;
  }();
  return texts;
}

using Convert = std::function<std::string(std::string_view)>;

void Register(const char* name, const std::string Texts::*input, Convert convert) {
  benchmark::RegisterBenchmark(name, [input, convert](benchmark::State& state) {
    const std::string& text = TheTexts().*input;
    if (text.empty()) state.SkipWithError("no sample text");
    for (auto _ : state) {
      const std::string out = convert(text);
      benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  })->Unit(benchmark::kMillisecond);
}

void RegisterIconv(const char* name, const std::string Texts::*input, const char* to, const char* from) {
  auto codec = std::make_shared<IconvCodec>(to, from);
  Register(name, input, [codec](std::string_view text) { return codec->Convert(text).value_or(""); });
}

void RegisterAll() {
  static const TAutoSjisConv conv;
  Register("JisToSjis", &Texts::jis, [](std::string_view t) { return conv.JisToSjis(t); });
  Register("EucToSjis", &Texts::euc, [](std::string_view t) { return conv.EucToSjis(t); });
  Register("SjisToJis", &Texts::sjis, [](std::string_view t) { return conv.SjisToJis(t); });
  Register("Utf8ToSjis", &Texts::utf8, [](std::string_view t) { return Utf8ToSjis(t); });
  Register("SjisToUtf8", &Texts::sjis, [](std::string_view t) { return SjisToUtf8(t); });
  Register("Ucs2ToSjis", &Texts::ucs2, [](std::string_view t) { return Ucs2ToSjis(t); });
  Register("SjisToUcs2", &Texts::sjis, [](std::string_view t) { return SjisToUcs2(t); });
  RegisterIconv("iconv/Utf8ToSjis", &Texts::utf8, "CP932", "UTF-8");
  RegisterIconv("iconv/SjisToUtf8", &Texts::sjis, "UTF-8", "CP932");
  RegisterIconv("iconv/Ucs2ToSjis", &Texts::ucs2, "CP932", "UTF-16LE");
  RegisterIconv("iconv/SjisToUcs2", &Texts::sjis, "UTF-16LE", "CP932");
  RegisterIconv("iconv/EucToSjis", &Texts::euc, "CP932", "EUC-JP-MS");
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
