#include "app/dialogs.h"

#include <gtest/gtest.h>

TEST(Dialogs, FiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters("TEXT(*.txt)|*.txt|HTML(*.html;*.htm)|*.html;*.htm|"
                          "全てのファイル(*.*)|*.*"),
            (QStringList{"TEXT(*.txt) (*.txt)", "HTML(*.html;*.htm) (*.html *.htm)",
                         "全てのファイル(*.*) (*.*)"}));
  // An entry appended for another extension starts with an empty description.
  EXPECT_EQ(QtNameFilters("テキスト(*.txt)|*.txt|(*.csv)|*.csv"),
            (QStringList{"テキスト(*.txt) (*.txt)", "(*.csv) (*.csv)"}));
}
