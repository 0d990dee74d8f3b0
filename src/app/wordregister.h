// "単語／用例登録" on Linux: the word-registration tool of the user's
// Japanese input method, started on its own so that the editor goes on.
#pragma once

#include <QString>

#include <span>

// One input method's tool. It is looked for on PATH, then in Dirs.
struct TWordRegisterTool {
  const char* Program;
  std::span<const char* const> Dirs;
  std::span<const char* const> Arguments;
  // The environment variable through which the tool takes the word to
  // register; null when it takes none.
  const char* WordVariable;
};

// Mozc's word-register dialog, else Anthy's dictionary tool.
extern const std::span<const TWordRegisterTool> kWordRegisterTools;

// Starts the first of tools that is installed, handing it word where it
// takes one; false when none could be started.
bool StartWordRegister(std::span<const TWordRegisterTool> tools, const QString& word);

// What to tell the user when no tool could be started: which packages to install.
QString NoWordRegisterToolMessage();
