# Tests of the log handler and of the single-instance guard.
q7x_add_test(tst_log SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_log.cpp LIBS q7x_shell)

add_executable(guard_probe ${CMAKE_CURRENT_LIST_DIR}/guard_probe.cpp)
target_link_libraries(guard_probe PRIVATE q7x_shell)
q7x_add_test(tst_guard SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_guard.cpp LIBS q7x_shell Qt5::Network
             ENV "Q7X_GUARD_PROBE=$<TARGET_FILE:guard_probe>")
add_dependencies(tst_guard guard_probe)
