# Tests of the controller: exchanges, preset files, the controller itself.
if(TARGET q7x_app)
  set(_support ${PROJECT_SOURCE_DIR}/tests/support)
  foreach(t tst_mainwindow tst_presets tst_exchange)
    q7x_add_test(${t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}.cpp
                 LIBS q7x_app TIMEOUT 120)
    target_include_directories(${t} PRIVATE ${_support})
  endforeach()
endif()

# The controller with the real documents.
if(TARGET q7x_app AND TARGET q7x_qml)
  q7x_add_test(tst_mainwindow_qml SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow_qml.cpp
               LIBS q7x_app q7x_qml Qt5::QuickControls2 TIMEOUT 120
               ENV QT_QUICK_BACKEND=software)
  target_include_directories(tst_mainwindow_qml PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
endif()

# The editor program itself.
if(TARGET VornelRambaKEYQ7X)
  q7x_add_test(tst_mainwindow_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow_startup.cpp
               TIMEOUT 120)
  target_compile_definitions(tst_mainwindow_startup PRIVATE
    EDITOR_EXE="$<TARGET_FILE:VornelRambaKEYQ7X>"
    EDITOR_MAIN_SOURCE="${PROJECT_SOURCE_DIR}/app/main.cpp")
  add_dependencies(tst_mainwindow_startup VornelRambaKEYQ7X)
endif()
