execute_process(COMMAND ${NM} -D --defined-only --format=just-symbols ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" symbols "${listing}")
list(FILTER symbols EXCLUDE REGEX "^(KAVU32_1)?$")
list(TRANSFORM symbols REPLACE "@.*$" "")
list(SORT symbols)
set(expected
  GetCategories GetData GetErrorCode GetErrorString SetDateAndName ShutDown StartUp
  _ZN6kavu325ErrorC1ERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE
  _ZN6kavu325ErrorC2ERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE
  _ZN6kavu325ErrorD0Ev _ZN6kavu325ErrorD1Ev _ZN6kavu325ErrorD2Ev
  _ZTIN6kavu325ErrorE _ZTSN6kavu325ErrorE _ZTVN6kavu325ErrorE)
list(SORT expected)
if(NOT symbols STREQUAL expected)
  message(FATAL_ERROR "unexpected exports:\n  ${symbols}\nexpected:\n  ${expected}")
endif()
message(STATUS "libkavu32 exports exactly the expected symbols")
