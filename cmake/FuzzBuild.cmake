# Builds the fuzz targets with clang in build/fuzz and runs each briefly over
# its seed files as part of the test suite.
include(ExternalProject)
find_program(CLANGXX clang++ REQUIRED)
find_program(CLANGC clang REQUIRED)

set(FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzz_targets
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${FUZZ_BINARY_DIR}
  CMAKE_ARGS -DDISKMAG_FUZZ=ON -DCMAKE_BUILD_TYPE=Release
             -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_C_COMPILER=${CLANGC}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

include(${CMAKE_SOURCE_DIR}/fuzz/targets.cmake)
# The demo issue's articles seed the article fuzzer too.
set(FUZZ_EXTRA_SEEDS_article_fuzz ${CMAKE_SOURCE_DIR}/issue/DATA/arts)
# And its tunes, as the generators made them, the module fuzzer.
set(FUZZ_EXTRA_SEEDS_module_fuzz ${CMAKE_BINARY_DIR}/issue/stage/DATA/msx)
# The check fuzzer starts from a small issue broken by a seed of each earlier
# corpus: small, so that every input is checked in a few milliseconds.
set(CHECK_SEEDS ${FUZZ_BINARY_DIR}/check_seeds)
add_custom_command(OUTPUT ${CHECK_SEEDS}.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CHECK_SEEDS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CHECK_SEEDS}
  COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/check_corpora_test.sh $<TARGET_FILE:magtool>
          ${CMAKE_SOURCE_DIR}/fuzz/seeds/check_fuzz/minimal_issue.rs
          ${CMAKE_SOURCE_DIR}/fuzz/seeds ${CHECK_SEEDS}
  COMMAND ${CMAKE_COMMAND} -E touch ${CHECK_SEEDS}.stamp
  DEPENDS magtool demo_issue ${CMAKE_SOURCE_DIR}/tests/tools/check_corpora_test.sh)
add_custom_target(check_fuzz_seeds ALL DEPENDS ${CHECK_SEEDS}.stamp)
set(FUZZ_EXTRA_SEEDS_check_fuzz ${CMAKE_SOURCE_DIR}/fuzz/seeds/archive_fuzz ${CHECK_SEEDS})
foreach(target IN LISTS FUZZ_TARGETS)
  add_test(NAME fuzz_${target}
    COMMAND ${CMAKE_SOURCE_DIR}/fuzz/run_target.sh
            ${FUZZ_BINARY_DIR}/bin/${target} ${CMAKE_SOURCE_DIR}/fuzz/seeds/${target}
            ${FUZZ_EXTRA_SEEDS_${target}})
  set_tests_properties(fuzz_${target} PROPERTIES TIMEOUT 120 LABELS fuzz)
endforeach()
