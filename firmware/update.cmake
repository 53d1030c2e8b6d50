# Online firmware check and download, and the update orchestration.
add_library(q7x_firmware STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MyFtp.h ${CMAKE_CURRENT_LIST_DIR}/MyFtp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FirmwareUpdate.h ${CMAKE_CURRENT_LIST_DIR}/FirmwareUpdate.cpp
)
target_include_directories(q7x_firmware PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(q7x_firmware PUBLIC q7x_ymodem q7x_ui Qt5::Network Qt5::SerialPort)
