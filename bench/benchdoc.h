// The corpus documents the editor benchmarks work on (1, 10 and 100 MB of
// the sample repeated, CR LF, with a marker line 50 lines from the end), an
// editor on the fake host to load them into.
#pragma once

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "editor/afedit.h"
#include "fakehost.h"
#include "procmem.h"

inline constexpr char kMarker[] = "ZIB-BENCHMARK-MARKER-LINE";

// The document files made by this run, removed when it ends: the largest
// is 100 MB.
struct TMadeDocuments {
  std::map<int, std::string> paths;
  ~TMadeDocuments() {
    for (const auto& [megabytes, path] : paths) std::filesystem::remove(path);
  }
};

// A document file of about `megabytes` MB, made once and kept on disk so
// that loading reads it in chunks as a user's file would be read.
inline std::string DocumentPath(int megabytes) {
  static TMadeDocuments documents;
  std::map<int, std::string>& made = documents.paths;
  auto it = made.find(megabytes);
  if (it != made.end()) return it->second;
  std::ifstream in(ZIB_CORPUS_DIR "/debian-reference-ch01.sjis.txt", std::ios::binary);
  const std::string sample(std::istreambuf_iterator<char>(in), {});
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("zib-bench-" + std::to_string(megabytes) + "mb-" + std::to_string(::getpid()) + ".txt"))
                               .string();
  std::ofstream out(path, std::ios::binary);
  const std::size_t size = static_cast<std::size_t>(megabytes) << 20;
  std::size_t written = 0;
  while (written + sample.size() < size) {
    out << sample;
    written += sample.size();
  }
  // The marker goes 50 lines before the end: the sample's first 50 lines follow it.
  std::size_t pos = 0;
  for (int line = 0; line < 50; ++line) pos = sample.find("\r\n", pos) + 2;
  out << kMarker << "\r\n" << sample.substr(0, pos);
  out.close();
  made[megabytes] = path;
  return path;
}

struct Editor {
  FakeEditHost host;
  TCustomAFEdit edit{host};
  explicit Editor(int width) {
    host.canvas.record = false;
    edit.WMSize(800, 600);
    edit.SetOptions({TAFEditOption::aoAutoFormat, TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
    edit.SetDefWrapPos(width);
    edit.Loaded();
  }
  void Load(int megabytes) {
    std::ifstream in(DocumentPath(megabytes), std::ios::binary);
    edit.LoadFromStream(in, loWrap);
  }
};

// One editor per size, wrapped at 80, loaded once and shared by the
// benchmarks that leave the text as they found it.
inline Editor& Loaded(int mb) {
  static std::map<int, std::unique_ptr<Editor>> editors;
  auto& e = editors[mb];
  if (!e) {
    e = std::make_unique<Editor>(80);
    e->Load(mb);
  }
  return *e;
}

