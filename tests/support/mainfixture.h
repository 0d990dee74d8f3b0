// A main window on its own settings folder, with scripted dialogs.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "app/commands.h"
#include "app/mainform.h"
#include "scripteddialogs.h"

class MainFixture : public ::testing::Test {
 protected:
  // Writes "zibeditor.ini" (Shift-JIS bytes) before the window reads it.
  void WriteIni(const QByteArray& text) { WriteFile("zibeditor.ini", text); }
  void WriteFile(const QString& name, const QByteArray& bytes) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray ReadFile(const QString& name) const {
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  TMainForm& Start() {
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    form = std::make_unique<TMainForm>(TSettingsFiles{dir.path() + "/"}, std::move(scripted));
    return *form;
  }

  QAction* Action(const char* id) const {
    QAction* a = form->Commands().Action(QLatin1String(id));
    EXPECT_NE(a, nullptr) << id;
    return a;
  }
  bool Enabled(const char* id) const { return Action(id)->isEnabled(); }
  bool Visible(const char* id) const { return Action(id)->isVisible(); }
  bool Checked(const char* id) const { return Action(id)->isChecked(); }

  QTemporaryDir dir;
  ScriptedDialogs* dialogs = nullptr;
  std::unique_ptr<TMainForm> form;
};
