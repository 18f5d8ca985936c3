/* Calls in the wrong state and invalid dates leave the exports as the
 * library's structured exception, with the message text, and change
 * nothing. */
#include <stdio.h>

#include "host.h"
/* after windows.h */
#include <psapi.h>

typedef struct DateAndName {
  Kavu32Date Date;
  const char* Name;
} DateAndName;

static void CallStartUp(void* folder) { kavu.StartUp(folder, folder); }
static void CallShutDown(void* unused) {
  (void)unused;
  kavu.ShutDown();
}
static void CallSetDateAndName(void* context) {
  const DateAndName* arguments = context;
  kavu.SetDateAndName(arguments->Date, arguments->Name);
}

/* The process's committed private memory. */
static SIZE_T PrivateMemory(void) {
  PROCESS_MEMORY_COUNTERS counters = {0};
  counters.cb = sizeof counters;
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

static void ExpectRaised(const char* what, void (*call)(void*), void* context, const char* message) {
  CaughtException caught;
  const int32_t codeBefore = kavu.GetErrorCode();
  ExpectTrue(what, RunGuarded(call, context, &caught));
  ExpectInt("exception code", caught.Code, KAVU32_EXCEPTION_CODE);
  ExpectInt("the exception cannot be continued", caught.Flags & EXCEPTION_NONCONTINUABLE,
            EXCEPTION_NONCONTINUABLE);
  ExpectInt("one parameter", caught.ParameterCount, 1);
  ExpectText("message", caught.Message, message);
  ExpectInt("the error code is unchanged", kavu.GetErrorCode(), codeBefore);
}

/* Months and days outside their ranges, a day past the month's end and
 * year 0. */
static void TestRejectedDates(void) {
  static const int dates[][3] = {{1992, 0, 1},   {1992, 13, 1}, {1992, 6, 0},  {1992, 1, 32}, {1992, 0, 0},
                                 {1992, 13, 32}, {1992, 6, 31}, {1900, 2, 29}, {0, 6, 19}};
  char what[64];
  for (size_t i = 0; i < sizeof dates / sizeof dates[0]; ++i) {
    const int* date = dates[i];
    DateAndName arguments = {MakeDate(date[0], date[1], date[2]), "Other Name"};
    snprintf(what, sizeof what, "SetDateAndName(%04d-%02d-%02d)", date[0], date[1], date[2]);
    ExpectRaised(what, CallSetDateAndName, &arguments, "Invalid argument to date encode");
  }
}

void TestExceptions(void) {
  DateAndName arguments = {MakeDate(1992, 6, 19), "Ann Lee"};
  ExpectRaised("ShutDown before StartUp", CallShutDown, NULL, "Already ShutDown, StartUp first!");
  ExpectRaised("SetDateAndName before StartUp", CallSetDateAndName, &arguments,
               "Already ShutDown, StartUp first!");

  CaughtException caught;
  ExpectTrue("StartUp returns normally", !RunGuarded(CallStartUp, fixtureFolder, &caught));
  ExpectRaised("StartUp twice", CallStartUp, fixtureFolder, "Already Started, ShutDown first!");
  kavu.GetCategories(NULL);
  ExpectTrue("SetDateAndName returns normally", !RunGuarded(CallSetDateAndName, &arguments, &caught));

  TestRejectedDates();
  ExpectDataText(10, "In The News In 1992");
  ExpectDataText(9, "A LOOK AT THE WORLD WHEN OTHER NAME WAS BORN");
  arguments.Date = MakeDate(2000, 2, 29);
  ExpectTrue("29 February 2000 is accepted", !RunGuarded(CallSetDateAndName, &arguments, &caught));
  ExpectDataText(10, "In The News In 2000");

  /* Many exceptions in a row leave the library working, and leave
   * nothing behind in the frames the handler unwinds. */
  const SIZE_T memoryBefore = PrivateMemory();
  int raised = 0;
  for (int i = 0; i < 10000; ++i) raised += RunGuarded(CallStartUp, fixtureFolder, &caught);
  ExpectInt("10000 wrong-state calls raise 10000 exceptions", raised, 10000);
  ExpectTrue("10000 exceptions leave under 64 KiB of memory behind",
             PrivateMemory() - memoryBefore < 64 * 1024);
  ExpectInt("GetCategories afterwards", kavu.GetCategories(NULL), 20 * 264);
  ExpectDataText(10, "In The News In 2000");

  kavu.ShutDown();
  ExpectRaised("ShutDown twice", CallShutDown, NULL, "Already ShutDown, StartUp first!");
  ExpectInt("GetData after ShutDown", kavu.GetData(10, NULL), -16);
}
