# Tests that need the keyboard simulator (module tools).
if(TARGET rambakey-sim AND TARGET q7x_keyboardsim)
  q7x_add_test(tst_keyboardsim SOURCES tst_keyboardsim.cpp LIBS q7x_keyboardsim)
  q7x_add_test(tst_ymodemreceiver SOURCES tst_ymodemreceiver.cpp LIBS q7x_keyboardsim)
  q7x_add_test(tst_jacklink SOURCES tst_jacklink.cpp LIBS q7x_midi q7x_keyboardsim TIMEOUT 120)
  target_compile_definitions(tst_jacklink PRIVATE RAMBAKEY_SIM="$<TARGET_FILE:rambakey-sim>")
  add_dependencies(tst_jacklink rambakey-sim)
endif()
