// A whole session run once to count its system calls and its allocations,
// then once per call with that call failing (with each error it can
// return), then once more with none failing. A faulted session ends in
// results the library defines: a negative code, a table shown as bad, or
// the exception StartUp and SetDateAndName raise when memory runs out;
// never a crash, a hang or a success with other bytes. The clean session
// at the end gives exactly the bytes of the first, and descriptors,
// mappings and heap come back to where they were.
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "interface/library_state.h"
#include "kavu32.h"
#include "platform/system_calls.h"
#include "resource_counts.h"
#include "served_folder.h"
#include "support/error.h"
#include "support/error_codes.h"

namespace kavu32::testing {
namespace {

// --- Counting and failing --------------------------------------------------

// The calls of one kind in a session are numbered from 0; the one numbered
// FailAt fails with Error (-1: none fails).
struct FaultPlan {
  long Count = 0;
  long FailAt = -1;
  int Error = 0;
};

FaultPlan systemCalls;
FaultPlan allocations;
// Allocations count only while a call of the library runs.
bool inLibrary = false;

// The entry of each system call of the counting session, in order.
constexpr long MaxRecordedCalls = 1 << 15;
std::array<const char*, MaxRecordedCalls> recordedCalls;

bool NextCallFails(FaultPlan& plan) {
  const long call = plan.Count++;
  if (call != plan.FailAt) return false;
  errno = plan.Error;
  return true;
}

bool SystemCallFails(const char* entry) {
  if (systemCalls.Count < MaxRecordedCalls) recordedCalls[systemCalls.Count] = entry;
  return NextCallFails(systemCalls);
}

// What the library wrote to standard error: its messages.
std::string shownMessages;

template <typename Function>
void* Replacement(Function* fn) {
  return reinterpret_cast<void*>(fn);
}

struct FaultEntry {
  const char* Name;
  void* Replacement;
  // What the call can fail with for valid arguments; empty: only counted.
  std::vector<int> Errors;
};

// Every entry of the table but "today" (served by "time" and
// "localtime_r"). A failing release still releases, as close does.
const std::vector<FaultEntry>& FaultEntries() {
  static const std::vector<FaultEntry> entries = {
      {"open",
       Replacement(
           +[](const char* path, int flags) { return SystemCallFails("open") ? -1 : ::open(path, flags); }),
       {EACCES, EIO, EMFILE, ENFILE, ENOMEM}},
      {"close",
       Replacement(+[](int fd) {
         const int result = ::close(fd);
         return SystemCallFails("close") ? -1 : result;
       }),
       {EIO, EINTR}},
      {"read",
       Replacement(+[](int fd, void* buffer, size_t count) -> ssize_t {
         return SystemCallFails("read") ? -1 : ::read(fd, buffer, count);
       }),
       {EIO, EINTR}},
      {"write",
       Replacement(+[](int fd, const void* bytes, size_t count) -> ssize_t {
         if (SystemCallFails("write")) return -1;
         if (fd != STDERR_FILENO) return ::write(fd, bytes, count);
         shownMessages.append(static_cast<const char*>(bytes), count);
         return static_cast<ssize_t>(count);
       }),
       {EIO, ENOSPC, EAGAIN}},
      {"fstat",
       Replacement(
           +[](int fd, struct stat* status) { return SystemCallFails("fstat") ? -1 : ::fstat(fd, status); }),
       {EIO, ENOMEM, EOVERFLOW}},
      {"stat",
       Replacement(+[](const char* path, struct stat* status) {
         return SystemCallFails("stat") ? -1 : ::stat(path, status);
       }),
       {EACCES, EIO, ENOMEM, ELOOP}},
      {"fstatat",
       Replacement(+[](int dirFd, const char* name, struct stat* status, int flags) {
         return SystemCallFails("fstatat") ? -1 : ::fstatat(dirFd, name, status, flags);
       }),
       {EACCES, EIO, ENOMEM}},
      {"opendir",
       Replacement(
           +[](const char* path) -> DIR* { return SystemCallFails("opendir") ? nullptr : ::opendir(path); }),
       {EACCES, EMFILE, ENFILE, ENOMEM}},
      {"readdir",
       Replacement(
           +[](DIR* dir) -> dirent* { return SystemCallFails("readdir") ? nullptr : ::readdir(dir); }),
       {EIO, ENOENT}},
      {"closedir",
       Replacement(+[](DIR* dir) {
         SystemCallFails("closedir");
         return ::closedir(dir);
       }),
       {}},
      {"mmap",
       Replacement(+[](void* address, size_t length, int protection, int flags, int fd, off_t offset) {
         return SystemCallFails("mmap") ? MAP_FAILED : ::mmap(address, length, protection, flags, fd, offset);
       }),
       {ENOMEM, EAGAIN, ENFILE, ENODEV}},
      {"munmap",
       Replacement(+[](void* address, size_t length) {
         SystemCallFails("munmap");
         return ::munmap(address, length);
       }),
       {}},
      {"madvise",
       Replacement(+[](void* address, size_t length, int advice) {
         return SystemCallFails("madvise") ? -1 : ::madvise(address, length, advice);
       }),
       {EINVAL, ENOMEM, EAGAIN, EINTR}},
      {"getcwd",
       Replacement(+[](char* buffer, size_t size) -> char* {
         return SystemCallFails("getcwd") ? nullptr : ::getcwd(buffer, size);
       }),
       {EACCES, ENOENT}},
      {"process_vm_readv",
       Replacement(+[](pid_t pid, const iovec* local, unsigned long localCount, const iovec* remote,
                       unsigned long remoteCount, unsigned long flags) -> ssize_t {
         return SystemCallFails("process_vm_readv")
                    ? -1
                    : ::process_vm_readv(pid, local, localCount, remote, remoteCount, flags);
       }),
       {ENOMEM, EPERM, ESRCH, EINTR}},
      {"localtime_r",
       Replacement(+[](const time_t* time, tm* parts) -> tm* {
         return SystemCallFails("localtime_r") ? nullptr : ::localtime_r(time, parts);
       }),
       {EOVERFLOW}},
      {"time",
       Replacement(+[](time_t* result) {
         SystemCallFails("time");
         return ::time(result);
       }),
       {}},
      {"dirfd",
       Replacement(+[](DIR* dir) {
         SystemCallFails("dirfd");
         return ::dirfd(dir);
       }),
       {}},
      {"getpid",
       Replacement(+[] {
         SystemCallFails("getpid");
         return ::getpid();
       }),
       {}},
  };
  return entries;
}

const FaultEntry& EntryNamed(const char* name) {
  for (const FaultEntry& entry : FaultEntries()) {
    if (std::strcmp(entry.Name, name) == 0) return entry;
  }
  throw std::logic_error(name);
}

void ReplaceSystemCalls() {
  for (const FaultEntry& entry : FaultEntries()) {
    ASSERT_TRUE(platform::SetSystemCall(entry.Name, entry.Replacement)) << entry.Name;
  }
}

// --- The session --------------------------------------------------------------

// One call, or one two-call exchange: the size query's result, then the
// filling call's result and the bytes it wrote.
struct Step {
  std::string Call;
  int32_t Result = 0;
  int32_t Written = 0;
  std::string Bytes;  // or the message raised
  bool Raised = false;
  bool operator==(const Step&) const = default;
};

using Transcript = std::vector<Step>;

// Runs one call of the library, counting its allocations.
template <typename Call>
auto InLibrary(Call call) {
  struct Leave {
    ~Leave() { inLibrary = false; }
  } leave;
  inLibrary = true;
  return call();
}

// A call without a result; false when it raised.
template <typename Call>
bool RecordRaising(Transcript& transcript, const std::string& name, Call call) {
  try {
    InLibrary(call);
  } catch (const Error& error) {
    transcript.push_back({name, 0, 0, error.what(), true});
    return false;
  }
  transcript.push_back({name, 0, 0, "", false});
  return true;
}

// The two-call protocol: the size query, then a buffer of that size.
template <typename Call>
void RecordSized(Transcript& transcript, const std::string& name, Call call) {
  Step step{name, InLibrary([&] { return call(nullptr); }), 0, "", false};
  if (step.Result > 0) {
    std::string bytes(static_cast<size_t>(step.Result), '\x7f');
    step.Written = InLibrary([&] { return call(bytes.data()); });
    if (step.Written > 0) step.Bytes = bytes;
  }
  transcript.push_back(step);
}

Transcript RunSession(const std::string& folder) {
  Transcript transcript;
  if (!RecordRaising(transcript, "StartUp", [&] { StartUp(folder.c_str(), ""); })) {
    return transcript;
  }
  RecordSized(transcript, "GetCategories",
              [](char* buffer) { return GetCategories(reinterpret_cast<CategoryRecord*>(buffer)); });
  RecordRaising(transcript, "SetDateAndName", [] { SetDateAndName(MakeDate(1992, 6, 19), "Ada Lovelace"); });
  for (const int32_t type : EveryDataType()) {
    const std::string name = "GetData(" + std::to_string(type) + ")";
    RecordSized(transcript, name, [&](char* buffer) { return GetData(type, buffer); });
    RecordSized(transcript, name + " GetErrorString", [](char* buffer) { return GetErrorString(buffer); });
  }
  RecordRaising(transcript, "ShutDown", [] { ShutDown(); });
  return transcript;
}

// --- What a faulted session may end in ------------------------------------------

bool IsErrorCode(int32_t result) { return result < 0 && result >= DateAndNameNotSet; }

bool IsMessage(const std::string& text) {
  for (const char* message : ErrorMessages) {
    if (text.rfind(message, 0) == 0) return true;
  }
  return false;
}

// The step as the clean session had it, or a result the library defines
// for a failure.
bool IsDefined(const Step& step, const Step& clean, bool tableShownAsBad) {
  if (step == clean) return true;
  if (step.Raised) return step.Bytes == OutOfMemory;
  // The text of whichever code the deviating step before left.
  if (step.Call.ends_with("GetErrorString"))
    return step.Result >= 0 && (step.Written < 0 || IsMessage(step.Bytes));
  if (IsErrorCode(step.Result)) return true;
  // A table shown as bad lists fewer categories, in either call.
  const bool fewerCategories = step.Call == "GetCategories" && tableShownAsBad;
  if (step.Result != clean.Result && !(fewerCategories && step.Result < clean.Result)) return false;
  return IsErrorCode(step.Written) || (fewerCategories && step.Written > 0 && step.Written <= step.Result);
}

void ExpectDefined(const Transcript& faulted, const Transcript& clean, const std::string& fault) {
  ASSERT_LE(faulted.size(), clean.size()) << fault;
  const bool tableShownAsBad = !shownMessages.empty();
  for (size_t i = 0; i < faulted.size(); ++i) {
    ASSERT_EQ(faulted[i].Call, clean[i].Call) << fault;
    EXPECT_TRUE(IsDefined(faulted[i], clean[i], tableShownAsBad))
        << fault << ": " << faulted[i].Call << " gave " << faulted[i].Result << " \"" << faulted[i].Bytes
        << "\", clean " << clean[i].Result;
  }
  // Only a session that StartUp refused ends early.
  EXPECT_TRUE(faulted.size() == clean.size() || faulted.back().Raised) << fault;
}

// --- The loops ----------------------------------------------------------------

class FaultLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStateForTesting();
    ReplaceSystemCalls();
    // Warms up what the library makes once per process.
    RunSession(folder_.Path());
    shownMessages.clear();
    clean_ = RunSession(folder_.Path());
    ASSERT_EQ(clean_[1].Written, ServedFolder::CategoriesSize);
    ASSERT_TRUE(shownMessages.empty());
    before_ = Measure();
  }

  void TearDown() override {
    platform::ResetSystemCalls();
    ResetStateForTesting();
  }

  // A faulted session, and whether it ended as defined.
  void RunFaulted(const std::string& fault) {
    shownMessages.clear();
    const Transcript faulted = RunSession(folder_.Path());
    ExpectDefined(faulted, clean_, fault);
  }

  // The session once more without a failure: exactly the clean bytes, and
  // every resource back.
  void ExpectCleanSessionAndResources() {
    systemCalls = {};
    allocations = {};
    EXPECT_EQ(RunSession(folder_.Path()), clean_);
    const Resources after = Measure();
    EXPECT_EQ(after.Descriptors, before_.Descriptors);
    EXPECT_EQ(MappedRegions(folder_.Path()), 0);
    EXPECT_LE(after.HeapBytes, before_.HeapBytes + HeapSlackBytes);
  }

  ServedFolder folder_;
  Transcript clean_;
  Resources before_;
};

TEST_F(FaultLoopTest, EverySystemCallFailedInTurn) {
  systemCalls = {};
  ASSERT_EQ(RunSession(folder_.Path()), clean_);
  const long calls = systemCalls.Count;
  ASSERT_LE(calls, MaxRecordedCalls);
  const std::vector<const char*> names(recordedCalls.begin(), recordedCalls.begin() + calls);
  long faulted = 0;
  for (long k = 0; k < calls; ++k) {
    for (const int error : EntryNamed(names[static_cast<size_t>(k)]).Errors) {
      systemCalls = {0, k, error};
      RunFaulted("call " + std::to_string(k) + " (" + names[static_cast<size_t>(k)] + ") failing with " +
                 std::strerror(error));
      ++faulted;
    }
  }
  std::cout << calls << " system calls in a session:";
  for (const FaultEntry& entry : FaultEntries()) {
    const auto made = std::count_if(names.begin(), names.end(),
                                    [&](const char* name) { return std::strcmp(name, entry.Name) == 0; });
    if (made > 0) std::cout << " " << entry.Name << " " << made;
  }
  std::cout << "; " << faulted << " sessions with one failing\n";
  ExpectCleanSessionAndResources();
}

TEST_F(FaultLoopTest, EveryAllocationFailedInTurn) {
  allocations = {};
  ASSERT_EQ(RunSession(folder_.Path()), clean_);
  const long count = allocations.Count;
  for (long k = 0; k < count; ++k) {
    allocations = {0, k, ENOMEM};
    RunFaulted("allocation " + std::to_string(k) + " failing");
  }
  std::cout << count << " allocations in a session, each failed in turn\n";
  ExpectCleanSessionAndResources();
}

}  // namespace
}  // namespace kavu32::testing

// The global allocation functions of this test program: inside a call of
// the library the planned allocation fails.
namespace {

bool AllocationFails() {
  return kavu32::testing::inLibrary && kavu32::testing::NextCallFails(kavu32::testing::allocations);
}

void* Allocate(std::size_t size) {
  if (AllocationFails()) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return AllocationFails() ? nullptr : std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
  return operator new(size, nothrow);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
