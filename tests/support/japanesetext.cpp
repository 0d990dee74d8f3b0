#include "japanesetext.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <span>
#include <string_view>

#include "encoding/cp932.h"
#include "encoding/filetext.h"
#include "encoding/iconvcodec.h"

namespace {

using Words = std::span<const std::u16string_view>;

constexpr std::u16string_view kHiragana[] = {
    u"これは", u"ですが", u"について", u"しました", u"ありません", u"のような", u"ことができます",
    u"ために", u"として", u"ください", u"でしょう", u"かもしれない", u"それから", u"そして", u"まだ",
    u"とても", u"いつも", u"ここで", u"あなたの", u"わたしは", u"おはようございます", u"よろしく",
    u"おねがいします", u"を", u"に", u"は", u"が", u"の", u"で", u"と", u"も", u"から", u"まで",
};
constexpr std::u16string_view kKanji[] = {
    u"日本語", u"文字", u"変換", u"設定", u"保存", u"開発", u"環境", u"東京", u"天気", u"予報",
    u"会議", u"資料", u"確認", u"問題", u"解決", u"方法", u"時間", u"場合", u"必要", u"情報",
    u"利用", u"機能", u"作成", u"表示", u"入力", u"出力", u"検索", u"置換", u"印刷", u"編集",
    u"髙橋", u"山﨑", u"鷗外", u"薔薇", u"憂鬱", u"檸檬", u"醤油", u"麒麟", u"齟齬", u"旧字體",
};
constexpr std::u16string_view kKatakana[] = {
    u"ファイル", u"エディタ", u"テキスト", u"コンピュータ", u"ソフトウェア", u"メニュー", u"ウィンドウ",
    u"ボタン", u"キーボード", u"マウス", u"インターネット", u"データ", u"サーバー", u"プログラム",
    u"ヴァイオリン", u"ヶ月",
};
constexpr std::u16string_view kHalfKatakana[] = {
    u"ﾌｧｲﾙ", u"ﾃｷｽﾄ", u"ｴﾃﾞｨﾀ", u"ﾃﾞｰﾀ", u"ｶﾀｶﾅ", u"ﾒﾆｭｰ", u"ﾎﾞﾀﾝ", u"ｷｰﾎﾞｰﾄﾞ",
    u"ｿﾌﾄｳｪｱ", u"ﾊﾟｿｺﾝ", u"ｺﾝﾋﾟｭｰﾀ", u"ｱｲｳｴｵ", u"ﾐｶﾝ", u"ﾗｰﾒﾝ", u"ｳｨﾝﾄﾞｳ", u"｢ｵｼﾗｾ｣", u"､", u"｡",
};
constexpr std::u16string_view kPunctuation[] = {
    u"、", u"。", u"「", u"」", u"（", u"）", u"・", u"ー", u"！", u"？", u"…", u"『", u"』", u"【", u"】", u"〜",
};
constexpr std::u16string_view kSymbols[] = {
    u"①", u"②", u"⑩", u"㈱", u"㍉", u"㌔", u"№", u"℡", u"Ⅲ", u"ⅲ", u"￢", u"∵", u"★", u"◆", u"→",
    u"※", u"α", u"β", u"Ω", u"Д", u"ж", u"─", u"│", u"┼", u"〒", u"￥", u"＄", u"％", u"ＡＢＣ", u"１２３",
};
constexpr std::u16string_view kAscii[] = {
    u"the", u"file", u"ls -l", u"/usr/bin/", u"http://example.org/a?b=1", u"2024", u"x = 1;", u"<p>",
    u"</p>", u"README.txt", u"GNU", u"Debian", u"(see 3.1)", u"--help", u"$HOME", u" ", u"  ", u"\t",
};

// One kind of text: how often each kind of word comes.
struct TKind {
  int hiragana, kanji, katakana, halfKatakana, punctuation, symbols, ascii, randomKanji;
};
constexpr TKind kKinds[] = {
    {40, 25, 10, 0, 15, 2, 3, 5},   // prose
    {15, 15, 10, 0, 5, 2, 50, 3},   // technical text, mostly ASCII
    {2, 3, 0, 60, 5, 0, 30, 0},     // half-width katakana
    {10, 10, 5, 5, 10, 50, 10, 0},  // symbols
    {10, 10, 0, 0, 5, 0, 5, 70},    // rare kanji
};

std::string Sjis(std::u16string_view text) { return cp932::FromUtf16(text); }

template <typename T>
const T& Pick(std::span<const T> items, std::mt19937& random) {
  return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

// A JIS X 0208 kanji, first or second level, drawn evenly.
std::string RandomKanji(std::mt19937& random) {
  for (;;) {
    const int lead = std::uniform_int_distribution<int>(0x88, 0xA9)(random);
    const int trail = std::uniform_int_distribution<int>(0x40, 0xFC)(random);
    if (trail == 0x7F) continue;
    const std::string code{static_cast<char>(lead < 0xA0 ? lead : lead + 0x40), static_cast<char>(trail)};
    std::size_t invalid = 0;
    cp932::ToUtf16(code, &invalid);
    if (invalid == 0) return code;
  }
}

std::string Word(const TKind& kind, std::mt19937& random) {
  const int weights[] = {kind.hiragana,    kind.kanji,   kind.katakana, kind.halfKatakana,
                         kind.punctuation, kind.symbols, kind.ascii,    kind.randomKanji};
  const Words lists[] = {kHiragana, kKanji, kKatakana, kHalfKatakana, kPunctuation, kSymbols, kAscii};
  std::discrete_distribution<std::size_t> which(std::begin(weights), std::end(weights));
  const std::size_t i = which(random);
  if (i == std::size(lists)) return RandomKanji(random);
  return Sjis(Pick(lists[i], random));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = std::min(text.find('\n', from), text.size() - 1) + 1;
    lines.push_back(text.substr(from, end - from));
    from = end;
  }
  return lines;
}

}  // namespace

std::size_t JapaneseChars(const std::string& sjis) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(sjis[i]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || b >= 0xE0;
    n += lead || (b >= 0xA1 && b <= 0xDF);
    i += lead;
  }
  return n;
}

std::vector<std::string> CorpusPieces(const std::string& corpusDir, std::mt19937& random, std::size_t count,
                                      const TTextSize& size) {
  std::vector<std::string> lines = SplitLines(ReadFile(corpusDir + "/debian-reference-ch01.sjis.txt"));
  const std::vector<std::string> html = SplitLines(ReadFile(corpusDir + "/debian-reference-ch03.sjis.html"));
  lines.insert(lines.end(), html.begin(), html.end());
  std::vector<std::string> pieces;
  if (lines.empty()) return pieces;
  std::uniform_int_distribution<std::size_t> start(0, lines.size() - 1);
  while (pieces.size() < count) {
    std::string piece;
    for (std::size_t i = start(random);
         i < lines.size() && (piece.size() < size.minBytes || JapaneseChars(piece) < size.minJapanese); ++i) {
      piece += lines[i];
    }
    const std::size_t japanese = JapaneseChars(piece);
    if (piece.size() >= size.minBytes && japanese >= size.minJapanese && japanese <= size.maxJapanese) {
      pieces.push_back(std::move(piece));
    }
  }
  return pieces;
}

std::vector<std::string> GeneratedTexts(std::mt19937& random, std::size_t count, std::size_t minBytes,
                                        std::size_t minJapanese) {
  std::vector<std::string> texts;
  std::uniform_int_distribution<int> lineLength(10, 120);
  for (std::size_t n = 0; n < count; ++n) {
    const TKind& kind = kKinds[n % std::size(kKinds)];
    std::string text;
    while (text.size() < minBytes || JapaneseChars(text) < minJapanese) {
      const std::size_t lineEnd = text.size() + static_cast<std::size_t>(lineLength(random));
      while (text.size() < lineEnd) text += Word(kind, random);
      text += "\r\n";
    }
    texts.push_back(std::move(text));
  }
  return texts;
}

std::optional<std::string> EncodedAs(const std::string& sjis, TDetected encoding) {
  switch (encoding) {
    case TDetected::Jis: return EncodeText(sjis, TEncoding::Jis, false).Bytes;
    case TDetected::Utf8: return EncodeText(sjis, TEncoding::Utf8, false).Bytes;
    case TDetected::Ucs2: return EncodeText(sjis, TEncoding::Ucs2, false).Bytes;
    case TDetected::Euc: return IconvCodec("EUC-JP-MS", "CP932").Convert(sjis);
    default: return sjis;
  }
}

TDetected ExpectedAnswer(const std::string& sjis, TDetected encoding) {
  // Bytes that are the same in Shift-JIS are Shift-JIS, and ASCII as ASCII.
  if (encoding != TDetected::ShiftJis && EncodedAs(sjis, encoding) == sjis) {
    return ExpectedAnswer(sjis, TDetected::ShiftJis);
  }
  const bool ascii = std::all_of(sjis.begin(), sjis.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return encoding == TDetected::ShiftJis && ascii ? TDetected::Ascii : encoding;
}

void TDetectionTally::Measure(const std::vector<std::string>& sjisTexts) {
  for (const std::string& sjis : sjisTexts) {
    for (const TDetected encoding : kTextEncodings) {
      const std::optional<std::string> bytes = EncodedAs(sjis, encoding);
      if (!bytes) continue;
      const TDetected expected = ExpectedAnswer(sjis, encoding);
      const TDetected answer = DetectEncoding(*bytes);
      TCounts& truth = counts[static_cast<std::size_t>(expected)];
      TCounts& given = counts[static_cast<std::size_t>(answer)];
      ++truth.texts;
      ++given.answers;
      if (answer == expected) {
        ++truth.right;
        continue;
      }
      ++given.wrongAnswers;
      misses.push_back(std::string(DetectedName(expected)) + " -> " + std::string(DetectedName(answer)) +
                       ": " + sjis.substr(0, 60));
    }
  }
}

double TDetectionTally::RecallPercent(TDetected d) const {
  const TCounts& c = Of(d);
  return c.texts == 0 ? 100.0 : 100.0 * static_cast<double>(c.right) / static_cast<double>(c.texts);
}

double TDetectionTally::PrecisionPercent(TDetected d) const {
  const TCounts& c = Of(d);
  return c.answers == 0 ? 100.0
                        : 100.0 * static_cast<double>(c.answers - c.wrongAnswers) / static_cast<double>(c.answers);
}
