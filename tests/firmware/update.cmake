# Online firmware check and download against a local FTP server, and the
# update orchestration against lrzsz's rb behind a pseudo-terminal.
q7x_add_test(tst_myftp
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_myftp.cpp
  LIBS q7x_firmware
  TIMEOUT 240)
target_include_directories(tst_myftp PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)

q7x_add_test(tst_firmwareupdate
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_firmwareupdate.cpp
  LIBS q7x_firmware
  TIMEOUT 240)
target_include_directories(tst_firmwareupdate PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
