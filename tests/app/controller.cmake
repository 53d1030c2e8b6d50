# Tests of the controller: exchanges, preset files, the controller itself.
if(TARGET q7x_app)
  set(_support ${PROJECT_SOURCE_DIR}/tests/support)
  foreach(t tst_mainwindow tst_presets tst_exchange)
    q7x_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp
                 LIBS q7x_app TIMEOUT 120)
    target_include_directories(${t} PRIVATE ${_support})
  endforeach()
endif()
