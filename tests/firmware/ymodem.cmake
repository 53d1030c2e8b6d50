# Tests of the YMODEM engine and the serial file transfer.
q7x_add_test(tst_ymodem_engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ymodem_engine.cpp
  LIBS q7x_ymodem)
# Needs socat; the rb cases also need lrzsz (both skip when missing).
q7x_add_test(tst_ymodem_transmit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ymodem_transmit.cpp ${CMAKE_CURRENT_LIST_DIR}/ymodem_pty.h
  LIBS q7x_ymodem Qt5::SerialPort
  TIMEOUT 240)
# Command-line sender for scripts/bench-ymodem.sh.
add_executable(ymodem_send ${CMAKE_CURRENT_LIST_DIR}/ymodem_send.cpp)
target_link_libraries(ymodem_send PRIVATE q7x_ymodem)
