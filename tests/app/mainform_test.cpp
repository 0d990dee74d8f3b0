#include "app/mainform.h"

#include <gtest/gtest.h>

TEST(MainForm, StartsWithTheProgramTitle) {
  TMainForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Zib_Editor"));
}
