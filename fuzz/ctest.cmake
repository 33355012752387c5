# The fuzz targets as tests: one set-up builds them with clang (in the build
# folder's fuzz/), then each target replays its seed corpus and makes a short
# run with a fixed random seed, so an input that once broke a parser fails the
# suite. Without clang and libFuzzer the script exits 77 and the tests are skipped.
set(QUILTRUSH_FUZZ_BUILD ${CMAKE_BINARY_DIR}/fuzz)

add_test(NAME fuzz.build
  COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run.sh --build ${QUILTRUSH_FUZZ_BUILD})
set_tests_properties(fuzz.build PROPERTIES
  FIXTURES_SETUP quiltrush_fuzzers
  SKIP_RETURN_CODE 77
  TIMEOUT 900
  LABELS fuzz)

foreach(target bmp ase level wav)
  add_test(NAME fuzz.${target}.seeds
    COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run.sh --check ${QUILTRUSH_FUZZ_BUILD} ${target})
  set_tests_properties(fuzz.${target}.seeds PROPERTIES
    FIXTURES_REQUIRED quiltrush_fuzzers
    SKIP_RETURN_CODE 77
    TIMEOUT 300
    LABELS fuzz)
endforeach()
