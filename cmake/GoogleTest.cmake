# GoogleTest for our test programs. Natively we use Debian's packaged libraries
# (libgtest-dev, libgmock-dev); the cross build compiles the same package's sources
# (/usr/src/googletest, package googletest) with the cross compiler, linked statically.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(TEMPRA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(NOT EXISTS ${TEMPRA_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${TEMPRA_GTEST_SOURCE}; "
      "install Debian's googletest package (apt-get install googletest)")
  endif()
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TEMPRA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # GoogleTest 1.12 defines the GTest:: names itself; older sources do not.
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# Seconds a test program may run before CTest kills it. Under Wine the wrapper's own
# watchdog (scripts/wine-run.sh, TEMPRA_WINE_TIMEOUT) fires a little earlier.
set(TEMPRA_TEST_TIMEOUT 60 CACHE STRING "Per-test time limit, native runs (seconds)")
set(TEMPRA_WINE_TEST_TIMEOUT 120 CACHE STRING "Per-program time limit under Wine (seconds)")

# tempra_test(NAME [DESKTOP] SOURCES ... LIBS ...): one GoogleTest program registered
# with CTest. Under Wine, programs that open windows share one X display and one
# foreground window, so they run one at a time: those that say DESKTOP or link a
# win32 library hold the lock "wine_desktop"; the others run in parallel.
function(tempra_test name)
  cmake_parse_arguments(T "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  tempra_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # Under Wine every start costs about a second; one CTest entry per program keeps
    # it to one start. The program's own output names the failing cases.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${TEMPRA_WINE_TEST_TIMEOUT} LABELS wine)
    if(T_DESKTOP OR T_LIBS MATCHES "win32|tempra_app")
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop LABELS "wine;desktop")
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${TEMPRA_TEST_TIMEOUT})
  endif()
endfunction()
