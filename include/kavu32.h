/*
 * Kavu32: answers questions about a birth date from read-only .dtf tables.
 *
 * Calling order: StartUp once; GetCategories (loads the tables) and
 * SetDateAndName in either order; any number of GetData calls; ShutDown.
 *
 * Every function that returns a value returns int32: a negative error code,
 * 0, or a positive byte count that includes the terminating zero.
 * GetCategories, GetData and GetErrorString follow one two-call protocol:
 * a null buffer asks for the size and writes nothing; a buffer that is not
 * writable over that size gives -13 and nothing is written; otherwise the
 * result is written with its terminating zero and the size is returned.
 *
 * Calls made in the wrong state (StartUp twice, ShutDown or SetDateAndName
 * before StartUp) and invalid dates do not return normally:
 *   - C++ hosts on Linux catch kavu32::Error; what() is the message text.
 *   - C hosts on Linux cannot catch it: the exception cannot cross C
 *     frames, so the process ends (SIGABRT) with the message on standard
 *     error. A C host keeps to the calling order above and checks every
 *     date with Kavu32DateIsValid before SetDateAndName.
 *   - On Windows the DLL raises a non-continuable structured exception
 *     with code KAVU32_EXCEPTION_CODE; ExceptionInformation[0] holds the
 *     address of the zero-terminated message text, valid while the handler
 *     runs.
 *
 * Problems opening a table file are shown to the user at once: a modal
 * message box on Windows, one line on standard error on Linux. Setting the
 * environment variable KAVU32_MESSAGES=stderr makes the Windows DLL write
 * that line to standard error too (for hosts without a display).
 *
 * The library keeps one process-wide state and takes no lock: call it from
 * one thread at a time.
 */
#ifndef KAVU32_H
#define KAVU32_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define KAVU32_CALL __stdcall
#else
#define KAVU32_CALL
#endif

#if defined(_WIN32)
#if defined(KAVU32_BUILDING)
#define KAVU32_EXPORT __declspec(dllexport)
#else
#define KAVU32_EXPORT __declspec(dllimport)
#endif
#else
#define KAVU32_EXPORT __attribute__((visibility("default")))
#endif

/* Code of the structured exception the Windows DLL raises for calls made in
 * the wrong state or with an invalid date. */
#define KAVU32_EXCEPTION_CODE 0xE04B5632u

#ifdef __cplusplus
extern "C" {
#endif

/* The date record of SetDateAndName, laid out as the Windows SYSTEMTIME.
 * Only Year, Month and Day are read. */
typedef struct Kavu32Date {
  uint16_t Year;
  uint16_t Month;
  uint16_t DayOfWeek;
  uint16_t Day;
  uint16_t Hour;
  uint16_t Minute;
  uint16_t Second;
  uint16_t Milliseconds;
} Kavu32Date;

/* One entry of the category list. The list ends with a record whose
 * DataType is 0 and whose Name is empty. Name bytes after the terminating
 * zero are not written. */
typedef struct CategoryRecord {
  int32_t DataType; /* the number to pass to GetData */
  char Name[256];   /* zero-terminated */
  int32_t TypeCode; /* 3 text, 6 memo text, 7 graphic; or a field type 0..7 */
} CategoryRecord;

#ifdef __cplusplus
static_assert(sizeof(Kavu32Date) == 16, "Kavu32Date must be 16 bytes");
static_assert(sizeof(CategoryRecord) == 264, "CategoryRecord must be 264 bytes");
#else
_Static_assert(sizeof(Kavu32Date) == 16, "Kavu32Date must be 16 bytes");
_Static_assert(sizeof(CategoryRecord) == 264, "CategoryRecord must be 264 bytes");
#endif

/* True (1) when SetDateAndName accepts the date: year 1 to 9999, month 1 to
 * 12 and the day within that month of the Gregorian calendar. The library
 * applies exactly this rule; C hosts call it first, as an invalid date
 * ends a C host on Linux. */
static inline int Kavu32DateIsValid(Kavu32Date date) {
  static const uint8_t kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const unsigned year = date.Year;
  const int leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  if (year < 1 || year > 9999 || date.Month < 1 || date.Month > 12) return 0;
  return date.Day >= 1 && date.Day <= kDaysInMonth[date.Month - 1] + (date.Month == 2 && leap);
}

/* Stores the two data folders and creates the empty catalogues. Reads no
 * file. Raises "Already Started, ShutDown first!" when already started. */
KAVU32_EXPORT void KAVU32_CALL StartUp(const char* firstFolder, const char* secondFolder);

/* Closes every table and releases every mapping. Raises
 * "Already ShutDown, StartUp first!" when not started. */
KAVU32_EXPORT void KAVU32_CALL ShutDown(void);

/* Stores the birth date and the person's name. Raises
 * "Already ShutDown, StartUp first!" when not started and
 * "Invalid argument to date encode" for an invalid date. */
KAVU32_EXPORT void KAVU32_CALL SetDateAndName(Kavu32Date date, const char* name);

/* Rescans the data folders, reopens every table and writes the category
 * list. Returns (items + 1) * 264, or -8, -10, -13, -6 (not started) or
 * -12 (the list grew since the size query: nothing written). */
KAVU32_EXPORT int32_t KAVU32_CALL GetCategories(CategoryRecord* buffer);

/* Delivers one item for the stored date and name: its size including the
 * terminating zero, or a negative error code (-16 before SetDateAndName,
 * -7 for a data type the last GetCategories did not list). */
KAVU32_EXPORT int32_t KAVU32_CALL GetData(int32_t dataType, void* buffer);

/* The result of the last call that set one, positive sizes included. */
KAVU32_EXPORT int32_t KAVU32_CALL GetErrorCode(void);

/* The message of the last error code: its size including the terminating
 * zero, 0 when there is no error, or -13 / -15. */
KAVU32_EXPORT int32_t KAVU32_CALL GetErrorString(char* buffer);

#ifdef __cplusplus
}

#include <stdexcept>
#include <string>

#if defined(_WIN32)
/* Windows hosts catch the structured exception: the type stays inside. */
#define KAVU32_ERROR_EXPORT
#else
#define KAVU32_ERROR_EXPORT KAVU32_EXPORT
#endif

namespace kavu32 {

/* The one exception type of the library; what() is exactly the message. */
class KAVU32_ERROR_EXPORT Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message);
  ~Error() override;
};

}  // namespace kavu32
#endif

#endif /* KAVU32_H */
