// zibconv: converts text between Shift-JIS, JIS, EUC-JP, UTF-8 and UCS-2 with
// the editor's own conversions, always by way of Shift-JIS; or names the
// encoding the text is in.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "encoding/detect.h"
#include "tools/namedconv.h"

namespace {

constexpr int kFailed = 1;      // the input could not be converted or written
constexpr int kBadRequest = 2;  // a wrong command line or an unreadable file
constexpr std::string_view kUsage =
    "missing -f or -t (usage: zibconv -f FROM -t TO [FILE], or zibconv --detect [FILE])";

struct Request {
  const char* from = nullptr;
  const char* to = nullptr;
  const char* file = nullptr;  // standard input when null
  bool detect = false;
  TEncoding fromEncoding = TEncoding::ShiftJis;
  TEncoding toEncoding = TEncoding::ShiftJis;
};

int Fail(int status, const std::string& problem) {
  std::fprintf(stderr, "zibconv: %s\n", problem.c_str());
  return status;
}

std::string Quoted(std::string_view s) { return "'" + std::string(s) + "'"; }

// The problem with the command line, or an empty text.
std::string ParseArgs(int argc, char** argv, Request& request) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-f" || arg == "-t") {
      const char*& value = arg == "-f" ? request.from : request.to;
      if (i + 1 == argc) return "option " + std::string(arg) + " needs an encoding";
      if (value) return "option " + std::string(arg) + " given twice";
      value = argv[++i];
    } else if (arg == "--detect") {
      if (request.detect) return "option --detect given twice";
      request.detect = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option " + Quoted(arg);
    } else if (request.file) {
      return "more than one input file (" + Quoted(request.file) + ", " + Quoted(arg) + ")";
    } else {
      request.file = argv[i];
    }
  }
  if (request.detect) return request.from || request.to ? "--detect takes no -f or -t" : "";
  if (!request.from || !request.to) return std::string(kUsage);
  const std::optional<TEncoding> from = DecoderNamed(request.from);
  if (!from) {
    return "unknown encoding " + Quoted(request.from) + " for -f (one of " + std::string(kDecoderNames) + ")";
  }
  const std::optional<TEncoding> to = EncoderNamed(request.to);
  if (!to) {
    return "unknown encoding " + Quoted(request.to) + " for -t (one of " + std::string(kEncoderNames) + ")";
  }
  request.fromEncoding = *from;
  request.toEncoding = *to;
  return {};
}

// The whole stream, or nothing after a read error (errno tells which).
std::optional<std::string> ReadAll(std::FILE* stream) {
  std::string data;
  char buffer[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) data.append(buffer, n);
  if (std::ferror(stream)) return std::nullopt;
  return data;
}

// The input, or nothing with the reason in problem.
std::optional<std::string> ReadInput(const char* file, std::string& problem) {
  std::FILE* stream = file ? std::fopen(file, "rb") : stdin;
  std::optional<std::string> data = stream ? ReadAll(stream) : std::nullopt;
  const int error = errno;
  if (stream && file) std::fclose(stream);
  if (!data) problem = "cannot read " + (file ? Quoted(file) : "standard input") + ": " + std::strerror(error);
  return data;
}

const char* Plural(std::size_t n) { return n == 1 ? "" : "s"; }

void WarnAboutLosses(const TDecodedText& decoded, const TEncodedText& encoded, TEncoding to) {
  if (decoded.CutAtNul) {
    std::fprintf(stderr, "zibconv: the input stops at a NUL; what follows it was not converted\n");
  }
  if (decoded.Replaced) {
    std::fprintf(stderr, "zibconv: %zu character%s without a Shift-JIS form became \"?\"\n",
                 decoded.Replaced, Plural(decoded.Replaced));
  }
  if (encoded.Lost && to == TEncoding::Jis) {
    std::fprintf(stderr, "zibconv: %zu character%s without a JIS form became \"?\"\n", encoded.Lost,
                 Plural(encoded.Lost));
  } else if (encoded.Lost) {
    std::fprintf(stderr, "zibconv: %zu invalid Shift-JIS sequence%s became U+FFFD\n", encoded.Lost,
                 Plural(encoded.Lost));
  }
}

// 0, or kFailed after saying why the output could not be written.
int Write(const std::string& output) {
  if (std::fwrite(output.data(), 1, output.size(), stdout) != output.size() || std::fflush(stdout) != 0) {
    return Fail(kFailed, std::string("cannot write the output: ") + std::strerror(errno));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Request request;
  std::string problem = ParseArgs(argc, argv, request);
  if (!problem.empty()) return Fail(kBadRequest, problem);
  const std::optional<std::string> input = ReadInput(request.file, problem);
  if (!input) return Fail(kBadRequest, problem);
  if (request.detect) return Write(std::string(DetectedName(DetectEncoding(*input))) + "\n");

  const TDecodedText decoded = DecodeText(*input, request.fromEncoding, false);
  if (decoded.Malformed) return Fail(kFailed, "the input is not valid UTF-8");
  const TEncodedText encoded = EncodeText(decoded.Text, request.toEncoding, false);
  WarnAboutLosses(decoded, encoded, request.toEncoding);
  return Write(encoded.Bytes);
}
