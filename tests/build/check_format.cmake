# Fails when a C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources ${ROOT}/src/*.cpp ${ROOT}/src/*.h ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h
     ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h)
set(bad "")
foreach(f ${sources})
  execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run --Werror ${f}
                  WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    list(APPEND bad ${f})
  endif()
endforeach()
if(bad)
  string(REPLACE ";" "\n  " list "${bad}")
  message(FATAL_ERROR "Not formatted (run clang-format -i):\n  ${list}")
endif()
