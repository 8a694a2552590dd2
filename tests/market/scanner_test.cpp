#include "market/scanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The scanned text lives here; each test points the scanner at it from offset `start`, with
// the section's saved position at `saved`.
std::string text;
ScannerState scanner;

void scan(std::string value, int32_t start = 0, int32_t saved = 0) {
  text = std::move(value);
  scanner = ScannerState{};
  startScan(scanner, text.data(), static_cast<int32_t>(text.size()));
  scanner.cursorPos = saved;
  saveCursor(scanner);
  scanner.cursorPos = start;
}

struct FindCase {
  const char* name;
  std::string text;
  std::string marker;
  int32_t start;
  int32_t found;
  int32_t cursorAfter;
};

TEST(ScannerTest, FindTextFollowsTheProgramsSearchRules) {
  const FindCase cases[] = {
      {"marker at offset 6 of 10 is seen", "abcdefghij", "g", 0, 1, 7},
      {"offset 7 of 10 is never examined", "abcdefghij", "h", 0, 0, 8},
      {"line break inside the marker is skipped", "xx<ti\r\ntle>abc....", "<title>", 0, 1, 11},
      {"byte above 127 inside the marker is skipped", "x<ti\xC3tle>abc....", "<title>", 0, 1, 9},
      {"breaking character is not retried", "xaab.....", "ab", 0, 0, 7},
      {"a later occurrence is still found", "xaab.ab....", "ab", 0, 1, 7},
      {"case matters", "xxABCxxxxx", "abc", 0, 0, 8},
      {"search starts at the cursor", "abc.abc.....", "abc", 1, 1, 7},
      {"an empty marker is never found", "abcdefgh", "", 0, 0, 6},
      {"a text shorter than three characters", "ab", "a", 0, 0, 1},
  };
  for (const FindCase& c : cases) {
    scan(c.text, c.start);
    EXPECT_EQ(findText(scanner, c.marker), c.found) << c.name;
    EXPECT_EQ(scanner.cursorPos, c.cursorAfter) << c.name;
  }
}

TEST(ScannerTest, FindBackStepsBackToTheMarkersFirstCharacter) {
  const FindCase cases[] = {
      {"last character at the cursor is found at once", "xxxxabcxxx", "abc", 6, 1, 4},
      {"not found: stops at the saved position", "abcdefgh", "zz", 6, 1, 0},
      {"control characters are compared like others", "xxa\nbxx", "a\nb", 5, 1, 2},
      {"the breaking character is not retried", "xxabbxxx", "ab", 7, 1, 0},
      {"an empty marker leaves the cursor", "abcdef", "", 3, 1, 3},
  };
  for (const FindCase& c : cases) {
    scan(c.text, c.start);
    EXPECT_EQ(findBack(scanner, c.marker), c.found) << c.name;
    EXPECT_EQ(scanner.cursorPos, c.cursorAfter) << c.name;
  }
}

TEST(ScannerTest, FindBackAfterFindTextFindsTheSameOccurrence) {
  scan("yxabcxxabc_zzzz", 5);
  ASSERT_EQ(findText(scanner, "abc"), 1);
  findBack(scanner, "abc");
  EXPECT_EQ(scanner.cursorPos, 7);
}

TEST(ScannerTest, FindBackAfterFindTextGoesFurtherWhenTheNextCharacterEndsTheMarker) {
  scan("yxabcxxabcczzzz", 5);
  ASSERT_EQ(findText(scanner, "abc"), 1);
  ASSERT_EQ(scanner.cursorPos, 10);
  findBack(scanner, "abc");
  EXPECT_EQ(scanner.cursorPos, 2);  // the occurrence further back
}

TEST(ScannerTest, BackwardOperationsStopAtTheSavedPosition) {
  scan("abc>defghijk", 10, 5);
  EXPECT_EQ(findBack(scanner, "abc"), 1);
  EXPECT_EQ(scanner.cursorPos, 5);
  scan("abc>defghijk", 10, 5);
  EXPECT_EQ(backToTag(scanner), 1);
  EXPECT_EQ(scanner.cursorPos, 5);
  // Starting at the text's start never leaves the text.
  scan("abc", 0, 0);
  findBack(scanner, "q");
  EXPECT_EQ(scanner.cursorPos, 0);
  backToTag(scanner);
  EXPECT_EQ(scanner.cursorPos, 0);
}

TEST(ScannerTest, BackToTagRestsInFrontOfTheNearestTag) {
  scan("<b>12345", 6);
  backToTag(scanner);
  EXPECT_EQ(scanner.cursorPos, 1);
  scan("<b>12345", 2);  // the ">" at the cursor counts
  backToTag(scanner);
  EXPECT_EQ(scanner.cursorPos, 1);
}

TEST(ScannerTest, SkipToNumberRestsOnTheFirstDigitAfterATag) {
  const FindCase cases[] = {
      {"a tag's text without digits is passed", "<td>abc</td><td>42</td>xxx", "", 0, 1, 16},
      {"digits before any > do not count", "12<b>7....", "", 0, 1, 5},
      {"no digit", "<td>abc</td>   ", "", 0, 0, 13},
      {"the last three characters are not read", "ab>12", "", 0, 0, 3},
  };
  for (const FindCase& c : cases) {
    scan(c.text, c.start);
    EXPECT_EQ(skipToNumber(scanner), c.found) << c.name;
    EXPECT_EQ(scanner.cursorPos, c.cursorAfter) << c.name;
  }
}

struct NumberCase {
  const char* name;
  std::string text;
  int32_t tags;
  float result;
  int32_t cursorAfter;
};

TEST(ScannerTest, ReadNumberReadsTheNumberAfterTheTags) {
  const NumberCase cases[] = {
      {"a tag comes first", "<b>-12.5</b>", 0, 0.0f, 1},
      {"passing the tag", "<b>-12.5</b>", 1, -12.5f, 9},
      {"a comma ends the number", "1,234 xx", 0, 1.0f, 2},
      {"control characters inside are skipped", "12\n3 xx", 0, 123.0f, 5},
      {"a NUL ends the number",
       std::string("12\0"
                   "99 xx",
                   8),
       0, 12.0f, 3},
      {"plus sign", "x+7.25;yy", 0, 7.25f, 7},
      {"the text's end ends the number", "..42", 0, 42.0f, 5},
  };
  for (const NumberCase& c : cases) {
    scan(c.text);
    EXPECT_EQ(readNumber(scanner, c.tags), c.result) << c.name;
    EXPECT_EQ(scanner.accumulator, c.result) << c.name;
    EXPECT_EQ(scanner.cursorPos, c.cursorAfter) << c.name;
  }
}

TEST(ScannerTest, ReadNumberFailsAtTheTextsEndAndKeepsTheAccumulator) {
  const NumberCase cases[] = {
      {"no start before the end", "abcdef", 0, -1.0f, 6},
      {"fewer tags than asked", "<b>1</b>", 3, -1.0f, 8},
      {"a start on the last character is too late", "abc5", 0, -1.0f, 4},
  };
  for (const NumberCase& c : cases) {
    scan(c.text);
    scanner.accumulator = 7.0f;
    EXPECT_EQ(readNumber(scanner, c.tags), c.result) << c.name;
    EXPECT_EQ(scanner.accumulator, 7.0f) << c.name;
    EXPECT_EQ(scanner.cursorPos, c.cursorAfter) << c.name;
  }
}

TEST(ScannerTest, ReadNumberKeepsAt199CharactersButReadsThemAll) {
  scan(std::string(199, '0') + "12345 xx");
  EXPECT_EQ(readNumber(scanner, 0), 0.0f);
  EXPECT_EQ(scanner.cursorPos, 205);
  scan(std::string(300, '9') + " xx");  // beyond the float range
  EXPECT_TRUE(std::isinf(readNumber(scanner, 0)));
}

struct TextCase {
  const char* name;
  std::string text;
  std::string numberText;
  int32_t cursorAfter;
};

TEST(ScannerTest, ReadNumberTextWindowAndSeparators) {
  const TextCase cases[] = {
      {"percent sign ends", "  +3.25%)", "+3.25", 8},
      {"seventeen letters first", "abcdefghijklmnopq12", "0", 16},
      {"start on the 15th character", "abcdefghijklmn7 ", "7", 16},
      {"start on the 16th character", "abcdefghijklmno7 ", "0", 16},
      {"thousands separators dropped", "1,234.56<", "1234.56", 9},
      {"a tag first", "ab<12", "0", 3},
      {"end on the 16th character", "123456789012345 ", "123456789012345", 16},
      {"end on the 17th character", "1234567890123456 ", "0", 17},
      {"control characters skipped", "-1\n2 ", "-12", 5},
      {"the text's end reads as NUL", "42", "42", 3},
  };
  for (const TextCase& c : cases) {
    scan(c.text);
    readNumberText(scanner);
    EXPECT_STREQ(scanner.numberText, c.numberText.c_str()) << c.name;
    EXPECT_EQ(scanner.cursorPos, c.cursorAfter) << c.name;
  }
}

TEST(ScannerTest, ReadsPastTheEndStayInsideTheText) {
  // A cursor run past the end reads NULs: nothing beyond the text is touched.
  scan("12");
  scanner.cursorPos = 50;
  readNumberText(scanner);
  EXPECT_STREQ(scanner.numberText, "0");
  EXPECT_EQ(findText(scanner, "x"), 0);
  EXPECT_EQ(skipToNumber(scanner), 0);
  EXPECT_EQ(readNumber(scanner, 0), -1.0f);
}

TEST(ScannerTest, RewindRestoresTheSectionStart) {
  scan("abcdefgh", 0, 0);
  scanner.cursorPos = 3;
  saveCursor(scanner);
  findText(scanner, "f");
  rewindCursor(scanner);
  EXPECT_EQ(scanner.cursorPos, 3);
  EXPECT_EQ(cursor(scanner), text.data() + 3);
}

}  // namespace
