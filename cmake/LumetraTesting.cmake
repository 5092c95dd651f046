# lumetra_add_test(<name> SOURCES ... LIBRARIES ... [GUI] [LABELS ...] [TIMEOUT s] [RESOURCE_LOCK ...])
# Builds one GoogleTest executable and registers each of its tests with CTest.
# GUI tests get a QApplication (on the offscreen platform unless a display is given);
# the others a QCoreApplication. Every test gets a private settings folder. Tests that share a
# resource which cannot be used twice at once (the test speaker) name it in RESOURCE_LOCK.
include(GoogleTest)
find_package(GTest REQUIRED)

# Instrumented code runs several times slower; its tests get the same budget scaled.
if(LUMETRA_SANITIZE)
  set(lumetra_default_timeout_scale 3)
else()
  set(lumetra_default_timeout_scale 1)
endif()
set(LUMETRA_TEST_TIMEOUT_SCALE ${lumetra_default_timeout_scale} CACHE STRING "Factor applied to every test timeout")

function(lumetra_add_test name)
  cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LIBRARIES;LABELS;RESOURCE_LOCK" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * ${LUMETRA_TEST_TIMEOUT_SCALE}")
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE lumetra_test_main_gui)
  else()
    target_link_libraries(${name} PRIVATE lumetra_test_main_core)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock Qt6::Test)
  # Empty values would shift the property list, so only the given ones are passed.
  set(properties TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()
