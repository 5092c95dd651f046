# Instrumentation of every target in the build:
#  - LUMETRA_SANITIZE: AddressSanitizer and UndefinedBehaviorSanitizer (gcc or clang). The first
#    report ends the process, so a test that triggers one fails.
#  - LUMETRA_BUILD_FUZZERS: the same sanitizers plus libFuzzer's coverage (clang only); the fuzz
#    targets in fuzz/ are then built as libFuzzer executables.
option(LUMETRA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(LUMETRA_BUILD_FUZZERS "Build the libFuzzer targets in fuzz/ (clang; run by hand)" OFF)

set(lumetra_sanitizers address,undefined)
if(LUMETRA_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "LUMETRA_BUILD_FUZZERS needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(LUMETRA_SANITIZE OR LUMETRA_BUILD_FUZZERS)
  add_compile_options(-fsanitize=${lumetra_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${lumetra_sanitizers} -fno-sanitize-recover=all)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # gcc 12 checks the lambda instead of the captured object in `[this, pmf] { (m_member.*pmf)(); }`
    # (a Qt slot) and reports a dynamic-type error that is not there; clang checks it right.
    add_compile_options(-fno-sanitize=vptr)
  endif()
endif()
