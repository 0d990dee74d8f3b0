// A main window with documents: files in a temporary folder, opened and
// saved through the commands with scripted dialogs.
#pragma once

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>

#include "app/childwin.h"
#include "app/filecommands.h"
#include "editor/qt/tafedit.h"
#include "mainfixture.h"

class DocFixture : public MainFixture {
 protected:
  void SetUp() override {
    Start();
    form->resize(900, 700);
    form->show();
  }

  QString Path(const QString& name) const { return dir.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) {
    WriteFile(name, bytes);
    return Path(name);
  }
  // Through the open command of the given mode, as the user would.
  TMDIChild* Open(const QString& path, const char* command = "FileOpenItemClick") {
    dialogs->openAnswers.push_back(path);
    Action(command)->trigger();
    return form->ActiveChild();
  }
  TMDIChild* Active() const { return form->ActiveChild(); }
  TAFEdit& Edit() const { return *form->ActiveChild()->AFEdit; }
  int Documents() const { return static_cast<int>(form->Children().size()); }
  void Type(const std::string& sjis) { Edit().InsertText(sjis); }
  QByteArray Bytes(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
};
