# YMODEM sender engine and its serial-port file transfer.
add_library(q7x_ymodem STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Ymodem.h
  ${CMAKE_CURRENT_LIST_DIR}/Ymodem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/YmodemFileTransmit.h
  ${CMAKE_CURRENT_LIST_DIR}/YmodemFileTransmit.cpp)
target_include_directories(q7x_ymodem PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(q7x_ymodem PUBLIC Qt5::Core Qt5::SerialPort)
