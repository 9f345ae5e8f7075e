# Runs the table-reader fuzzer for ctest (cmake -P).
#   MODE=fuzz:   fuzzes for SECONDS seconds from a fresh working corpus made of the
#                tables in SEEDS and every .dbf under FIXTURES (when that folder exists);
#                a crashing input is kept in ARTIFACTS.
#   MODE=replay: runs every file in REGRESSIONS once.
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${FUZZER}")
  message(FATAL_ERROR "fuzzer not built: ${FUZZER}")
endif()
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")

if(MODE STREQUAL "replay")
  file(GLOB inputs LIST_DIRECTORIES false "${REGRESSIONS}/*")
  list(FILTER inputs EXCLUDE REGEX "/(README[^/]*|\\.[^/]*)$")
  if(NOT inputs)
    message(STATUS "no regression inputs in ${REGRESSIONS}")
    return()
  endif()
  # One run per input, so that every failing input is named.
  set(failing)
  foreach(input ${inputs})
    get_filename_component(name "${input}" NAME)
    execute_process(COMMAND "${FUZZER}" -timeout=10 -rss_limit_mb=2048 "${input}"
                    RESULT_VARIABLE rc)
    if(rc EQUAL 0)
      message(STATUS "passes: ${name}")
    else()
      message(STATUS "FAILS (exit ${rc}): ${name}")
      list(APPEND failing "${name}")
    endif()
  endforeach()
  if(failing)
    list(JOIN failing ", " names)
    message(FATAL_ERROR "regression inputs that break the engine: ${names}")
  endif()
  return()
endif()

# A working corpus of our own, new for every run: the fuzzer adds to it.
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(tmp "$ENV{TMPDIR}")
else()
  set(tmp "/tmp")
endif()
string(RANDOM LENGTH 10 tag)
set(corpus "${tmp}/fuzz_table_corpus_${tag}")
file(REMOVE_RECURSE "${corpus}")
file(MAKE_DIRECTORY "${corpus}")

file(GLOB seeds LIST_DIRECTORIES false "${SEEDS}/*.dbf")
set(fixtures)
if(FIXTURES AND IS_DIRECTORY "${FIXTURES}")
  file(GLOB_RECURSE fixtures LIST_DIRECTORIES false "${FIXTURES}/*.dbf" "${FIXTURES}/*.DBF")
endif()
set(n 0)
foreach(f ${seeds} ${fixtures})
  math(EXPR n "${n} + 1")
  get_filename_component(name "${f}" NAME)
  # Numbered, so that equal names from different folders do not overwrite each other.
  file(COPY_FILE "${f}" "${corpus}/${n}_${name}")
endforeach()
message(STATUS "working corpus ${corpus}: ${n} tables")
if(n EQUAL 0)
  file(REMOVE_RECURSE "${corpus}")
  message(FATAL_ERROR "no seed tables in ${SEEDS}")
endif()

file(MAKE_DIRECTORY "${ARTIFACTS}")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
          -print_final_stats=1 "-artifact_prefix=${ARTIFACTS}/" "${corpus}"
  RESULT_VARIABLE rc)
file(REMOVE_RECURSE "${corpus}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a fault (exit ${rc}); the input is in ${ARTIFACTS}")
endif()
