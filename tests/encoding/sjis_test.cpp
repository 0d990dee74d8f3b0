#include "encoding/sjis.h"

#include <gtest/gtest.h>

TEST(SjisByteClasses, LeadBytesAreTheTwoRangesOfCodePage932) {
  int leads = 0;
  for (int b = 0; b < 256; ++b) leads += sjis::IsLeadByte(static_cast<unsigned char>(b));
  EXPECT_EQ(leads, (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1));
  EXPECT_FALSE(sjis::IsLeadByte(0x80));
  EXPECT_FALSE(sjis::IsLeadByte(0xA0));
  EXPECT_FALSE(sjis::IsLeadByte(0xFD));
  EXPECT_TRUE(sjis::IsHalfKana(0xB1));
  EXPECT_FALSE(sjis::IsHalfKana(0xE0));
}

TEST(SjisByteClasses, CharLenDoesNotReadPastAnOrphanLeadByte) {
  EXPECT_EQ(sjis::CharLen("\x88\x9F" "a", 0), 2u);
  EXPECT_EQ(sjis::CharLen("\x88\x9F" "a", 2), 1u);
  EXPECT_EQ(sjis::CharLen("a\x88", 1), 1u);
}
