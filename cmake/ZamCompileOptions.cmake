# Warning and sanitizer flags shared by every target of the project.
add_library(zam_options INTERFACE)
if(MSVC)
  target_compile_options(zam_options INTERFACE /W4 $<$<BOOL:${ZAM_WERROR}>:/WX>)
else()
  target_compile_options(zam_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough
    $<$<BOOL:${ZAM_WERROR}>:-Werror>)
  # GCC 12 and 13 at -O3 report overlapping copies inside std::string concatenation that cannot
  # happen (a known false positive of their -Wrestrict); the warning stays on at other levels.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(zam_options INTERFACE $<$<CONFIG:Release>:-Wno-restrict>)
  endif()
  if(ZAM_SANITIZE)
    target_compile_options(zam_options INTERFACE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(zam_options INTERFACE -fsanitize=address,undefined)
  endif()
  if(ZAM_FUZZ)
    target_compile_options(zam_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(zam_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

# The longest a single test may run before CTest stops it and counts it failed: a loop that never
# ends (a hash table that cannot take another key, a wait for a child that never comes) fails the
# run instead of hanging it. The slowest test takes a few seconds, a few times that under the
# sanitizers.
set(ZAM_TEST_TIMEOUT 120 CACHE STRING "Seconds one test may run before CTest fails it")

# Every Windows program carries cmake/zam.manifest: it runs as the user who starts it (Windows
# neither guesses it to be an installer that needs an administrator nor redirects its writes
# below Program Files to a private copy, so a refused write is seen and reported), and it is
# long-path aware (paths past 260 characters work where the system allows them).
if(WIN32 AND NOT MSVC)
  enable_language(RC)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/zam-manifest.rc
       CONTENT "1 24 \"${CMAKE_CURRENT_LIST_DIR}/zam.manifest\"\n")
endif()
function(zam_windows_program target)
  if(MSVC)
    # The MSVC linker makes a manifest of its own and merges a listed one into it.
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/zam.manifest)
  elseif(WIN32)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/generated/zam-manifest.rc)
  endif()
endfunction()

# Adds a GoogleTest executable and registers its tests with CTest.
function(zam_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  zam_windows_program(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zam_test_support GTest::gmock GTest::gtest GTest::gtest_main zam_options)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT ${ZAM_TEST_TIMEOUT})
endfunction()

# A layer library from the sources of <dir>/src. While a layer has no sources yet it is an
# interface library, so the tree configures at every stage of its growth.
function(zam_add_layer name)
  cmake_parse_arguments(ARG "" "" "PUBLIC_LIBS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC include)
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE zam_options)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE include)
    target_link_libraries(${name} INTERFACE ${ARG_PUBLIC_LIBS})
  endif()
endfunction()
