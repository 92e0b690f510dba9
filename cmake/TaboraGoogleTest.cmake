# GoogleTest for the tests: the installed package on a native build; built from Debian's source
# tree (package googletest) with the same toolchain on a cross build, where no installed package
# fits the target.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(TABORA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  if(NOT EXISTS ${TABORA_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources at ${TABORA_GTEST_SOURCE} (install the googletest package)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TABORA_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# Registers a test executable with CTest. Natively every test case is its own CTest test. Under
# an emulator (Wine) each start costs a process and a Wine session, so the executable runs once
# with all its cases; a crash that Wine reports instead of passing on fails the test.
function(tabora_add_gtests target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
    set_tests_properties(${target} PROPERTIES FAIL_REGULAR_EXPRESSION "wine: Unhandled")
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()
