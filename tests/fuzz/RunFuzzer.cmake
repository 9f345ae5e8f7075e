# Runs the table-reader fuzzer for ctest (cmake -P).
#   The corpus: the tables in SEEDS, every file in REGRESSIONS (its README and hidden
#   files aside) and every .dbf under FIXTURES (each folder when given and present).
#   MODE=replay: runs every input of the corpus once.
#   MODE=fuzz:   fuzzes for SECONDS seconds from a fresh working copy of the corpus;
#                a crashing input is kept in ARTIFACTS.
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${FUZZER}")
  message(FATAL_ERROR "fuzzer not built: ${FUZZER}")
endif()
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")

set(inputs)
if(SEEDS AND IS_DIRECTORY "${SEEDS}")
  file(GLOB found LIST_DIRECTORIES false "${SEEDS}/*.dbf")
  list(APPEND inputs ${found})
endif()
if(REGRESSIONS AND IS_DIRECTORY "${REGRESSIONS}")
  file(GLOB found LIST_DIRECTORIES false "${REGRESSIONS}/*")
  list(FILTER found EXCLUDE REGEX "/(README[^/]*|\\.[^/]*)$")
  list(APPEND inputs ${found})
endif()
if(FIXTURES AND IS_DIRECTORY "${FIXTURES}")
  file(GLOB_RECURSE found LIST_DIRECTORIES false "${FIXTURES}/*.dbf" "${FIXTURES}/*.DBF")
  list(APPEND inputs ${found})
endif()
if(NOT inputs)
  message(FATAL_ERROR "no inputs in SEEDS, REGRESSIONS or FIXTURES")
endif()

if(MODE STREQUAL "replay")
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
    message(FATAL_ERROR "inputs that break the engine: ${names}")
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

set(n 0)
foreach(f ${inputs})
  math(EXPR n "${n} + 1")
  get_filename_component(name "${f}" NAME)
  # Numbered, so that equal names from different folders do not overwrite each other.
  file(COPY_FILE "${f}" "${corpus}/${n}_${name}")
endforeach()
message(STATUS "working corpus ${corpus}: ${n} tables")

file(MAKE_DIRECTORY "${ARTIFACTS}")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
          -print_final_stats=1 "-artifact_prefix=${ARTIFACTS}/" "${corpus}"
  RESULT_VARIABLE rc)
file(REMOVE_RECURSE "${corpus}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a fault (exit ${rc}); the input is in ${ARTIFACTS}")
endif()
