// The two exports Kavu32Faults.dll adds to the seven: the table of system
// calls of the platform layer, set by name and reset, for the host's fault
// loop.
#include "platform/system_calls.h"

extern "C" {

__declspec(dllexport) int Kavu32SetSystemCall(const char* name, void* fn) {
  return kavu32::platform::SetSystemCall(name, fn) ? 1 : 0;
}

__declspec(dllexport) void Kavu32ResetSystemCalls(void) { kavu32::platform::ResetSystemCalls(); }

}  // extern "C"
