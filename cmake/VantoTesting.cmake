# Test helpers shared by every component's tests.
#
# vanto_add_test(NAME <name> COMMAND <cmd...> [PORTS] [TIMEOUT <s>] [LABELS <l...>])
#   Runs <cmd> through tests/run-isolated, which gives it a fresh VANTO_ROOT,
#   TMPDIR, XDG_RUNTIME_DIR and XDG_CONFIG_DIRS and removes them afterwards.
#   PORTS marks tests that bind the fixed loopback ports or the fixed local
#   socket names, so ctest never runs two of them at once.
#
# vanto_add_qtest(<name> SOURCES <src...> LIBS <libs...> [PORTS] [TIMEOUT <s>])
#   Builds a Qt Test executable <name> and registers it with vanto_add_test.
set(VANTO_RUN_ISOLATED "${CMAKE_SOURCE_DIR}/tests/run-isolated")

function(vanto_add_test)
  cmake_parse_arguments(T "PORTS" "NAME;TIMEOUT" "COMMAND;LABELS" ${ARGN})
  add_test(NAME ${T_NAME} COMMAND ${VANTO_RUN_ISOLATED} ${T_COMMAND})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_PORTS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK vanto_ports)
  endif()
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()

function(vanto_add_qtest name)
  cmake_parse_arguments(T "PORTS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  set(_ports "")
  if(T_PORTS)
    set(_ports PORTS)
  endif()
  set(_timeout "")
  if(T_TIMEOUT)
    set(_timeout TIMEOUT ${T_TIMEOUT})
  endif()
  vanto_add_test(NAME ${name} COMMAND $<TARGET_FILE:${name}> ${_ports} ${_timeout})
endfunction()
