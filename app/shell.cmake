# Log handler and single-instance guard.
add_library(q7x_shell STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Logger.h ${CMAKE_CURRENT_LIST_DIR}/Logger.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceGuard.h ${CMAKE_CURRENT_LIST_DIR}/InstanceGuard.cpp
)
target_include_directories(q7x_shell PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(q7x_shell PUBLIC Qt5::Core Qt5::Gui Qt5::Network)
