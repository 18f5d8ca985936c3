#include <langinfo.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/system_calls.h"
#include "support/error.h"

namespace kavu32::platform {
namespace {

LocalDate FixedToday() { return {1999, 12, 31}; }

tm* FailingLocaltime(const time_t*, tm*) { return nullptr; }

// Noon of 29 February 2000, UTC: the same day in every time zone but the
// farthest ones.
time_t LeapDayClock(time_t* result) {
  const time_t noon = 951825600;
  if (result != nullptr) *result = noon;
  return noon;
}

TEST(Clock, TodayIsTheLocalDateOrTheInjectedClock) {
  const time_t now = ::time(nullptr);
  tm parts{};
  ::localtime_r(&now, &parts);
  const LocalDate today = Today();
  EXPECT_EQ(today.Year, parts.tm_year + 1900);
  EXPECT_EQ(today.Month, parts.tm_mon + 1);
  EXPECT_EQ(today.Day, parts.tm_mday);

  ASSERT_TRUE(SetSystemCall("today", &FixedToday));
  EXPECT_EQ(Today().Year, 1999);
  EXPECT_EQ(Today().Day, 31);
  ResetSystemCalls();

  ASSERT_TRUE(SetSystemCall("time", &LeapDayClock));
  EXPECT_EQ(Today().Year, 2000);
  EXPECT_EQ(Today().Month, 2);
  ResetSystemCalls();

  ASSERT_TRUE(SetSystemCall("localtime_r", &FailingLocaltime));
  EXPECT_EQ(Today(), (LocalDate{0, 0, 0}));
  ResetSystemCalls();
}

// A write that follows a script, one step a call: n > 0 writes at most n
// bytes, 0 writes nothing (leaving a stale EINTR in errno), -e fails with
// errno e. Past the script a call writes all it is given.
std::vector<int> writeScript;
size_t writeCalls = 0;
std::string written;

ssize_t ScriptedWrite(int fd, const void* bytes, size_t count) {
  const int step = writeCalls < writeScript.size() ? writeScript[writeCalls] : static_cast<int>(count);
  ++writeCalls;
  errno = step < 0 ? -step : EINTR;
  if (step <= 0) return step < 0 ? -1 : 0;
  const size_t taken = std::min(count, static_cast<size_t>(step));
  written += std::to_string(fd) + ":" + std::string(static_cast<const char*>(bytes), taken) + "|";
  return static_cast<ssize_t>(taken);
}

TEST(Messages, ShownAsOneLineOnStandardErrorUntilAWriteFails) {
  const struct {
    std::vector<int> Script;
    std::string Written;
    size_t Calls;
  } cases[] = {
      {{}, "2:Bad table file\n|", 1},
      {{4, 3}, "2:Bad |2:tab|2:le file\n|", 3},
      {{-EINTR}, "2:Bad table file\n|", 2},
      {{-EIO}, "", 1},
      {{5, 0}, "2:Bad t|", 2},
  };
  for (const auto& c : cases) {
    writeScript = c.Script;
    writeCalls = 0;
    written.clear();
    ASSERT_TRUE(SetSystemCall("write", &ScriptedWrite));
    ShowMessage("Bad table file");
    ResetSystemCalls();
    EXPECT_EQ(written, c.Written);
    EXPECT_EQ(writeCalls, c.Calls) << c.Written;
  }
}

TEST(RegionalSettings, TheCLocaleKeepsTheDefaultsExactly) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  const kavu32::RegionalSettings read = ReadRegionalSettings();
  const kavu32::RegionalSettings defaults;
  EXPECT_EQ(read.LongMonthNames, defaults.LongMonthNames);
  EXPECT_EQ(read.ShortDayNames, defaults.ShortDayNames);
  EXPECT_EQ(read.TimeAMString, "am");
  EXPECT_EQ(read.DecimalSeparator, '.');
  EXPECT_EQ(read.LongTimeFormat, defaults.LongTimeFormat);
}

const char* localeName = nullptr;
const char* radixText = nullptr;

char* NamedLocale(int, const char*) { return const_cast<char*>(localeName); }

// A few items of a German locale; an empty AM designator, none for the rest.
char* LocaleItem(nl_item item) {
  const char* text = nullptr;
  switch (item) {
    case MON_1: text = "Januar"; break;
    case ABMON_12: text = "Dez"; break;
    case DAY_1: text = "Sonntag"; break;
    case AM_STR: text = ""; break;
    case PM_STR: text = "nachm."; break;
    case RADIXCHAR: text = radixText; break;
    default: break;
  }
  return const_cast<char*>(text);
}

TEST(RegionalSettings, ALocalesOwnItemsReplaceTheDefaults) {
  const struct {
    const char* Locale;
    const char* Radix;
    char Separator;
    const char* January;
  } cases[] = {
      {"de_DE.UTF-8", ",", ',', "Januar"}, {"de_DE.UTF-8", "", '.', "Januar"},
      {"de_DE.UTF-8", ",,", '.', "Januar"}, {"de_DE.UTF-8", nullptr, '.', "Januar"},
      {"C", ",", '.', "January"},           {"POSIX", ",", '.', "January"},
      {"C.UTF-8", ",", '.', "January"},     {nullptr, ",", '.', "January"},
  };
  ASSERT_TRUE(SetSystemCall("setlocale", &NamedLocale));
  ASSERT_TRUE(SetSystemCall("nl_langinfo", &LocaleItem));
  for (const auto& c : cases) {
    localeName = c.Locale;
    radixText = c.Radix;
    const kavu32::RegionalSettings read = ReadRegionalSettings();
    EXPECT_EQ(read.DecimalSeparator, c.Separator) << (c.Locale ? c.Locale : "null") << " " << (c.Radix ? c.Radix : "null");
    EXPECT_EQ(read.LongMonthNames[0], c.January) << (c.Locale ? c.Locale : "null");
  }
  localeName = "de_DE.UTF-8";
  const kavu32::RegionalSettings german = ReadRegionalSettings();
  ResetSystemCalls();
  EXPECT_EQ(german.ShortMonthNames[11], "Dez");
  EXPECT_EQ(german.LongMonthNames[11], "December");
  EXPECT_EQ(german.LongDayNames[0], "Sonntag");
  EXPECT_EQ(german.TimeAMString, "am");
  EXPECT_EQ(german.TimePMString, "nachm.");
}

TEST(RegionalSettings, TheCUtf8LocaleCountsAsTheCLocale) {
  if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  const kavu32::RegionalSettings read = ReadRegionalSettings();
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(read.TimeAMString, "am");
}

TEST(Host, WrongStateFailuresReachTheHostAsTheLibrarysException) {
  try {
    RaiseToHost(kavu32::Error("Already Started, ShutDown first!"));
    FAIL() << "nothing raised";
  } catch (const kavu32::Error& error) {
    EXPECT_STREQ(error.what(), "Already Started, ShutDown first!");
  }
}

}  // namespace
}  // namespace kavu32::platform
