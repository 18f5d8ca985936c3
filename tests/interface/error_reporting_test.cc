// Error codes and messages through the exports, and the date record.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>
#include <string>
#include <vector>

#include "interface/library_state.h"
#include "kavu32.h"
#include "testing/guarded_pages.h"
#include "testing/host_calls.h"

namespace {

using kavu32::testing::ErrorText;
using kavu32::testing::MakeDate;

TEST(ErrorReportingTest, NothingToReportRightAfterLoading) {
  EXPECT_EQ(GetErrorCode(), 0);
  EXPECT_EQ(GetErrorString(nullptr), 0);
}

TEST(ErrorReportingTest, MetafileMessageNamesTheLastGraphic) {
  kavu32::State().ErrorCode = -3;
  kavu32::State().LastGraphicName = "Zodiac4.wmf";
  EXPECT_EQ(GetErrorString(nullptr), 44);
  char buffer[64];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(GetErrorString(buffer), 44);
  EXPECT_STREQ(buffer, "Error while retrieving metafile Zodiac4.wmf");
  EXPECT_EQ(buffer[44], '#') << "nothing is written past the terminator";
  EXPECT_EQ(GetErrorCode(), -3) << "reading the text does not clear the error";
}

TEST(ErrorReportingTest, SizesAndTextsOfEveryCode) {
  kavu32::State().ErrorCode = -8;
  EXPECT_EQ(GetErrorString(nullptr), 42);
  EXPECT_EQ(ErrorText(), "One or more standard categories not found");
  EXPECT_EQ(GetErrorCode(), -8);

  kavu32::State().ErrorCode = -2;
  EXPECT_EQ(ErrorText(), "Error while retriving string data");
  kavu32::State().ErrorCode = -5;
  EXPECT_EQ(ErrorText(), "Error saving mefafile to temporary file");
  kavu32::State().ErrorCode = -16;
  EXPECT_EQ(ErrorText(), "Date and name was not set yet");
}

TEST(ErrorReportingTest, PositiveCodesAreClearedAndUnknownCodesBecomeUndefined) {
  kavu32::State().ErrorCode = 5280;
  EXPECT_EQ(GetErrorString(nullptr), 0);
  EXPECT_EQ(GetErrorCode(), 0);

  kavu32::State().ErrorCode = -17;
  EXPECT_EQ(GetErrorString(nullptr), -15);
  EXPECT_EQ(GetErrorCode(), -15);
  EXPECT_EQ(ErrorText(), "Undefined error code");
}

TEST(ErrorReportingTest, ABufferOfExactlyTheSizeMayEndAtAnInaccessiblePage) {
  kavu32::testing::GuardedPages pages(2, '#');
  pages.Protect(1, PROT_NONE);
  kavu32::State().ErrorCode = -8;
  EXPECT_EQ(GetErrorString(pages.EndingAt(1, 42)), 42);
  EXPECT_STREQ(pages.EndingAt(1, 42), "One or more standard categories not found");
  EXPECT_EQ(GetErrorString(pages.EndingAt(1, 41)), -13);
  EXPECT_TRUE(pages.Untouched(pages.EndingAt(1, 43), 1)) << "nothing written before the buffer";
}

TEST(ErrorReportingTest, UnwritableBufferGivesInvalidBufferPointer) {
  kavu32::State().ErrorCode = -8;
  static const char readOnly[64] = "constant";  // lies in read-only memory
  EXPECT_EQ(GetErrorString(const_cast<char*>(readOnly)), -13);
  EXPECT_STREQ(readOnly, "constant");
  EXPECT_EQ(GetErrorCode(), -13);
  EXPECT_EQ(GetErrorString(nullptr), 23);
  EXPECT_EQ(ErrorText(), "Invalid buffer pointer");
}

TEST(DateAndNameTest, RefusedBeforeStartUp) {
  try {
    SetDateAndName(MakeDate(1992, 6, 19), "Ann Lee");
    FAIL() << "no exception";
  } catch (const kavu32::Error& error) {
    EXPECT_STREQ(error.what(), "Already ShutDown, StartUp first!");
  }
  EXPECT_TRUE(kavu32::State().PersonName.empty()) << "nothing changes before the exception";
  EXPECT_FALSE(kavu32::State().DateSet);
}

TEST(DateAndNameTest, ValidatesTheDateAndDerivesTheKey) {
  StartUp("", "");
  kavu32::State().ErrorCode = -4;
  SetDateAndName(MakeDate(2000, 2, 29), "Ann Lee");
  EXPECT_EQ(kavu32::State().DateKey, 20000229);
  EXPECT_DOUBLE_EQ(kavu32::State().BirthDate, 36585.0);
  EXPECT_TRUE(kavu32::State().DateSet);
  EXPECT_EQ(GetErrorCode(), 0);

  kavu32::State().ErrorCode = -4;
  try {
    SetDateAndName(MakeDate(1900, 2, 29), "Bo");
    FAIL() << "no exception";
  } catch (const kavu32::Error& error) {
    EXPECT_STREQ(error.what(), "Invalid argument to date encode");
  }
  // The name and the date parts are stored; the derived values are not.
  EXPECT_EQ(kavu32::State().PersonName, "Bo");
  EXPECT_EQ(kavu32::State().BirthYear, 1900);
  EXPECT_EQ(kavu32::State().DateKey, 20000229);
  EXPECT_EQ(GetErrorCode(), -4);
  ShutDown();
}

TEST(DateAndNameTest, RefusesMonthAndDayOutOfRange) {
  StartUp("", "");
  for (const Kavu32Date& date : {MakeDate(1992, 0, 1), MakeDate(1992, 13, 1), MakeDate(1992, 1, 0),
                                 MakeDate(1992, 1, 32), MakeDate(0, 1, 1), MakeDate(10000, 1, 1)}) {
    EXPECT_THROW(SetDateAndName(date, "x"), kavu32::Error);
  }
  SetDateAndName(MakeDate(1992, 6, 19), nullptr);
  EXPECT_EQ(kavu32::State().PersonName, "");
  EXPECT_EQ(kavu32::State().DateKey, 19920619);
  ShutDown();
}

// The header's check for C hosts applies exactly the rule SetDateAndName
// raises on.
TEST(DateAndNameTest, Kavu32DateIsValidAgreesWithSetDateAndName) {
  StartUp("", "");
  std::vector<Kavu32Date> dates;
  for (int year : {0, 1, 1900, 2000, 2023, 2024, 9999, 10000, 65535}) {
    for (int month = 0; month <= 13; ++month) {
      for (int day = 0; day <= 32; ++day) dates.push_back(MakeDate(year, month, day));
    }
  }
  int valid = 0;
  for (const Kavu32Date& date : dates) {
    bool accepted = true;
    try {
      SetDateAndName(date, "x");
    } catch (const kavu32::Error&) {
      accepted = false;
    }
    EXPECT_EQ(Kavu32DateIsValid(date) != 0, accepted) << date.Year << "-" << date.Month << "-" << date.Day;
    valid += accepted;
  }
  EXPECT_EQ(valid, 365 + 366 + 365 + 365 + 366 + 365) << "every day of 1, 1900, 2000, 2023, 2024 and 9999";
  ShutDown();
}

}  // namespace
