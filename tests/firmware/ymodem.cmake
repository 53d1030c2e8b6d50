# Tests of the YMODEM engine and the serial file transfer.
q7x_add_test(tst_ymodem_engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_ymodem_engine.cpp
  LIBS q7x_ymodem)
