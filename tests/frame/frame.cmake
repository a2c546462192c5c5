# Tests of the main window's parts: the command tables and menus, the code box.
foreach(name CommandTableTest CodeBoxTest)
  add_executable(frame_${name} ${CMAKE_CURRENT_LIST_DIR}/main/${name}.cpp)
  target_link_libraries(frame_${name} PRIVATE zephyra_frame Qt6::Test)
  add_test(NAME frame_${name} COMMAND frame_${name})
endforeach()
