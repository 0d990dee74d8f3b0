#include "app/wordregister.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace {

// Mozc takes no longer word, and a whole document would not even fit in
// the environment.
constexpr qsizetype kLongestWord = 100;

constexpr const char* kMozcDirs[] = {"/usr/lib/mozc", "/usr/libexec/mozc"};
constexpr const char* kMozcArguments[] = {"--mode=word_register_dialog"};
constexpr const char* kAnthyArguments[] = {"--add"};

constexpr TWordRegisterTool kTools[] = {
    {"mozc_tool", kMozcDirs, kMozcArguments, "default_entry_of_word_register"},
    {"kasumi", {}, kAnthyArguments, nullptr},
};

QStringList Strings(std::span<const char* const> texts) {
  QStringList list;
  for (const char* text : texts) list << QString::fromUtf8(text);
  return list;
}

QString FindProgram(const TWordRegisterTool& tool) {
  const QString name = QString::fromUtf8(tool.Program);
  const QString onPath = QStandardPaths::findExecutable(name);
  return onPath.isEmpty() ? QStandardPaths::findExecutable(name, Strings(tool.Dirs)) : onPath;
}

}  // namespace

const std::span<const TWordRegisterTool> kWordRegisterTools(kTools);

bool StartWordRegister(std::span<const TWordRegisterTool> tools, const QString& word) {
  for (const TWordRegisterTool& tool : tools) {
    const QString program = FindProgram(tool);
    if (program.isEmpty()) continue;
    QProcess process;
    process.setProgram(program);
    process.setArguments(Strings(tool.Arguments));
    if (tool.WordVariable) {
      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
      environment.insert(QString::fromUtf8(tool.WordVariable), word.left(kLongestWord));
      process.setProcessEnvironment(environment);
    }
    if (process.startDetached()) return true;
  }
  return false;
}

QString NoWordRegisterToolMessage() {
  return QStringLiteral(
      "単語登録ツールが見つかりません(-_-;)\r\n"
      "Mozc なら mozc-utils-gui、Anthy なら kasumi をインストールしてください。");
}
