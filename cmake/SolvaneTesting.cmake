# solvane_add_test(<name> SOURCES <files...> LIBS <targets...> [WIDGETS] [OPENGL])
#
# Every test gets a fresh, private working folder through SOLVANE_HOME and a
# HOME that points nowhere useful, so no test can read or spoil a real
# installation. WIDGETS tests run on the offscreen platform; OPENGL tests run
# under the X server that tools/test.sh starts with xvfb-run.
function(solvane_add_test name)
  cmake_parse_arguments(T "WIDGETS;OPENGL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${name})
  set(test_home ${CMAKE_CURRENT_BINARY_DIR}/home/${name})
  set(env
    "SOLVANE_HOME=${test_home}/3DEriruvu"
    "HOME=${test_home}"
    "SOLVANE_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    "SOLVANE_STANDIN_DIR=${PROJECT_BINARY_DIR}/tests/standins"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tools/lsan.supp:print_suppressions=0")
  if(T_WIDGETS)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(T_OPENGL)
    # Mesa unloads its driver before LeakSanitizer looks, so the driver's own
    # allocations show up from an unknown module that no suppression can
    # name. Leaks in our code are caught by the tests without OpenGL.
    list(APPEND env "LP_NUM_THREADS=2" "ASAN_OPTIONS=detect_leaks=0")
  else()
    list(APPEND env "ASAN_OPTIONS=detect_leaks=1")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
  file(MAKE_DIRECTORY ${test_home})
endfunction()
