#include <QApplication>
#include <QShortcut>
#include <fstream>

#include "app/mainform.h"
#include "editor/qt/tafedit.h"

namespace {

// Until document windows exist: the file named on the command line in one
// editor filling the main window, set up as a document window sets it up.
void ShowFile(TMainForm& form, const char* path) {
  auto* edit = new TAFEdit(&form);
  form.setCentralWidget(edit);
  edit->SetViewOpt(TViewOptions{TViewOption::voDependence, TViewOption::voHankana, TViewOption::voCr,
                                TViewOption::voAnsiSpace, TViewOption::voTab, TViewOption::voIndent,
                                TViewOption::voColIndicate, TViewOption::voKeyWord, TViewOption::voRowNum,
                                TViewOption::voFoldMark});
  edit->SetOptions(TAFEditOptions{TAFEditOption::aoFreeCaret, TAFEditOption::aoAutoIndent,
                                  TAFEditOption::aoAutoJpnIndent, TAFEditOption::aoAutoFormat,
                                  TAFEditOption::aoWordWrap, TAFEditOption::aoJpnBanBreak});
  edit->SetColKeyWord(clPurple);
  edit->SetRowPich(8);
  edit->SetLeftMgn(36);
  edit->SetTopMgn(10);
  std::ifstream in(path, std::ios::binary);
  edit->LoadFromStream(in, loWrap);
  // Undo and redo are commands of the main window's edit menu.
  QObject::connect(new QShortcut(QKeySequence::Undo, edit), &QShortcut::activated, edit, [edit] { edit->WMUndo(); });
  QObject::connect(new QShortcut(QKeySequence::Redo, edit), &QShortcut::activated, edit, [edit] { edit->Redo(); });
  edit->SetFocus();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TMainForm form;
  if (argc > 1) ShowFile(form, argv[1]);
  form.show();
  return app.exec();
}
