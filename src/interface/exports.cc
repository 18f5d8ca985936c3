// The seven exports: C entry points that hand wrong-state failures to the
// host in the platform's way and let nothing else escape.
#include <new>
#include <optional>

#include "interface/library_state.h"
#include "interface/operations.h"
#include "platform/platform.h"
#include "retrieval/get_data.h"
#include "support/error.h"

namespace {

// Made at load: when memory runs out there may be none left to make it.
const kavu32::Error OutOfMemoryError(kavu32::OutOfMemory);

// Runs a call whose failures are meant for the host (wrong state, invalid
// date, no memory left). The failure is raised outside the catch block,
// from storage that outlives the frames a Windows host unwinds, so nothing
// leaks per call.
template <typename Call>
void RaisingToHost(Call call) {
  static std::optional<kavu32::Error> failure;
  failure.reset();
  try {
    call();
    return;
  } catch (const kavu32::Error& error) {
    failure.emplace(error);
  } catch (const std::bad_alloc&) {
    failure.emplace(OutOfMemoryError);
  }
  kavu32::platform::RaiseToHost(*failure);
}

}  // namespace

extern "C" {

KAVU32_EXPORT void KAVU32_CALL StartUp(const char* firstFolder, const char* secondFolder) {
  RaisingToHost([&] { kavu32::StartUpLibrary(firstFolder, secondFolder); });
}

KAVU32_EXPORT void KAVU32_CALL ShutDown(void) {
  RaisingToHost([] { kavu32::ShutDownLibrary(); });
}

KAVU32_EXPORT void KAVU32_CALL SetDateAndName(Kavu32Date date, const char* name) {
  RaisingToHost([&] { kavu32::StoreDateAndName(date, name); });
}

KAVU32_EXPORT int32_t KAVU32_CALL GetCategories(CategoryRecord* buffer) {
  return kavu32::ListCategories(buffer);
}

KAVU32_EXPORT int32_t KAVU32_CALL GetData(int32_t dataType, void* buffer) {
  return kavu32::RequestData(kavu32::State(), dataType, buffer);
}

KAVU32_EXPORT int32_t KAVU32_CALL GetErrorCode(void) { return kavu32::LastErrorCode(); }

KAVU32_EXPORT int32_t KAVU32_CALL GetErrorString(char* buffer) { return kavu32::DescribeLastError(buffer); }

}  // extern "C"
