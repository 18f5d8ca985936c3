// KAVU32_UNDER_ADDRESS_SANITIZER is defined when the address sanitizer
// instruments this build (gcc and clang say so differently).
#ifndef KAVU32_TESTS_RELIABILITY_SANITIZER_BUILD_H
#define KAVU32_TESTS_RELIABILITY_SANITIZER_BUILD_H

#if defined(__SANITIZE_ADDRESS__)
#define KAVU32_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAVU32_UNDER_ADDRESS_SANITIZER 1
#endif
#endif

#endif
