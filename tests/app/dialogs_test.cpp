#include "app/dialogs.h"

#include <gtest/gtest.h>

TEST(Dialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters("TEXT(*.txt)|*.txt|HTML(*.html;*.htm)|*.html;*.htm|"
                          "全てのファイル(*.*)|*.*"),
            (QStringList{"TEXT (*.txt)", "HTML (*.html *.htm)", "全てのファイル (*.*)"}));
  // An entry appended for another extension starts with an empty description.
  EXPECT_EQ(QtNameFilters("テキスト(*.txt)|*.txt|(*.csv)|*.csv"),
            (QStringList{"テキスト (*.txt)", "(*.csv)"}));
  // A description without brackets keeps its text.
  EXPECT_EQ(QtNameFilters("Text|*.txt"), QStringList{"Text (*.txt)"});
}

#include <QApplication>
#include <QProgressDialog>
#include <QWidget>

#include "app/busy.h"

TEST(BusyIndicator, ADialogOnlyForLargeWork) {
  QWidget parent;
  parent.show();
  {
    TBusyIndicator small(&parent, "...", TBusyIndicator::threshold - 1);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(parent.findChild<QProgressDialog*>(), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  {
    TBusyIndicator large(&parent, "読み込み中...", TBusyIndicator::threshold);
    const QProgressDialog* dialog = parent.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->labelText(), "読み込み中...");
  }
  EXPECT_EQ(parent.findChild<QProgressDialog*>(), nullptr);
}

#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/qtdialogs.h"

TEST(QtJapanese, StandardButtonsAndFileDialogsWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  const std::unique_ptr<QTranslator> japanese = InstallQtJapanese();
  QLocale::setDefault(QLocale::system());
  ASSERT_NE(japanese, nullptr) << "qt6-translations-l10n is not installed";
  QMessageBox box(QMessageBox::Question, "Zib_Editor", "?",
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "はい(&Y)");
  EXPECT_EQ(box.button(QMessageBox::No)->text(), "いいえ(&N)");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "キャンセル");
  QFileDialog files(nullptr, QString(), QString(), QString());
  files.setOption(QFileDialog::DontUseNativeDialog);
  const QLabel* lookIn = files.findChild<QLabel*>("lookInLabel");
  ASSERT_NE(lookIn, nullptr);
  EXPECT_EQ(lookIn->text(), "アドレス:");
}
