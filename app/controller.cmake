# The controller (q7x_app) and the editor executable. Each is defined once the
# modules it needs are part of the build.

function(_q7x_missing out)
  set(missing "")
  foreach(dep IN LISTS ARGN)
    if(NOT TARGET ${dep})
      list(APPEND missing ${dep})
    endif()
  endforeach()
  set(${out} "${missing}" PARENT_SCOPE)
endfunction()

_q7x_missing(_missing q7x_model q7x_midi q7x_device q7x_firmware q7x_i18n q7x_ui)
if(_missing)
  message(STATUS "Controller library not built, missing: ${_missing}")
  return()
endif()

add_library(q7x_app STATIC
  ${CMAKE_CURRENT_LIST_DIR}/MainWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineJobs.h
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineJobs.cpp
)
target_include_directories(q7x_app PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The program reports its own version, taken from the project version.
target_compile_definitions(q7x_app PUBLIC Q7X_VERSION="${PROJECT_VERSION}")
target_link_libraries(q7x_app PUBLIC
  q7x_model q7x_midi q7x_device q7x_firmware q7x_i18n q7x_ui
  Qt5::Widgets Qt5::Qml Qt5::Quick)

_q7x_missing(_missing q7x_shell q7x_qml)
if(_missing)
  message(STATUS "Editor executable not built, missing: ${_missing}")
  return()
endif()

add_executable(VornelRambaKEYQ7X ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(VornelRambaKEYQ7X PRIVATE q7x_app q7x_shell q7x_qml Qt5::QuickControls2)
