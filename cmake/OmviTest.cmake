# omvi_add_test(<name> KIND unit|gui|e2e FRAMEWORK gtest|qtest SOURCES ... [LIBS ...] [TIMEOUT s])
#
# One helper declares every test. GUI tests run on the offscreen platform so that they need no
# display; every test carries a ctest label of its kind. All test executables also join the
# aggregate target `omvi_tests`, which builds every suite.
if(NOT TARGET omvi_tests)
  add_custom_target(omvi_tests)
endif()

function(omvi_add_test name)
  cmake_parse_arguments(T "" "KIND;FRAMEWORK;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_KIND)
    set(T_KIND unit)
  endif()
  if(NOT T_FRAMEWORK)
    set(T_FRAMEWORK gtest)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} omvi_test_support)
  if(T_FRAMEWORK STREQUAL "gtest")
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock omvi_gtest_main)
  else()
    target_link_libraries(${name} PRIVATE Qt6::Test)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_FATAL_WARNINGS=0")
  if(T_KIND STREQUAL "gui")
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  # Tests must never touch the user's real settings or runtime folders. The runtime folder must
  # exist and be private, or Qt falls back to a shared one.
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  file(MAKE_DIRECTORY ${home}/config ${home}/run)
  file(CHMOD ${home}/run PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  list(APPEND env "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/${name}/config"
       "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/test-home/${name}/run"
       "OMVI_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  set_tests_properties(${name} PROPERTIES LABELS ${T_KIND} TIMEOUT ${T_TIMEOUT}
                                          ENVIRONMENT "${env}")
  add_dependencies(omvi_tests ${name})
endfunction()
