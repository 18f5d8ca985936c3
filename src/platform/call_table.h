// What both platform layers share behind SetSystemCall: a layer keeps its
// system calls as the function-pointer members of one struct and gives
// each member a name by which it can be replaced.
#ifndef KAVU32_PLATFORM_CALL_TABLE_H
#define KAVU32_PLATFORM_CALL_TABLE_H

#include <cstddef>
#include <string_view>
#include <type_traits>

namespace kavu32::platform {

template <typename Member>
struct CallOwner;
template <typename Calls, typename Slot>
struct CallOwner<Slot Calls::*> {
  using Type = Calls;
};

template <typename Calls>
struct NamedCall {
  std::string_view Name;
  void (*Set)(Calls& calls, void* fn);
};

// Stores fn in the member as that member's function-pointer type.
template <auto Member>
void AssignCall(typename CallOwner<decltype(Member)>::Type& calls, void* fn) {
  using Slot = std::remove_reference_t<decltype(calls.*Member)>;
  calls.*Member = reinterpret_cast<Slot>(fn);
}

template <auto Member>
constexpr NamedCall<typename CallOwner<decltype(Member)>::Type> Named(std::string_view name) {
  return {name, &AssignCall<Member>};
}

// Replaces the entry called name; false, and nothing changed, for a null
// name or function or a name the table lacks.
template <typename Calls, size_t N>
bool SetNamedCall(Calls& calls, const NamedCall<Calls> (&table)[N], const char* name, void* fn) {
  if (name == nullptr || fn == nullptr) return false;
  for (const NamedCall<Calls>& call : table) {
    if (call.Name == name) {
      call.Set(calls, fn);
      return true;
    }
  }
  return false;
}

}  // namespace kavu32::platform

#endif
