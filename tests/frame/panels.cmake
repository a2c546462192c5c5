# Widget tests of the docked panels (run under Xvfb).
add_library(panel_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/panels/PanelTestHost.cpp)
target_include_directories(panel_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/panels
                                                     ${CMAKE_SOURCE_DIR}/tests/document)
target_link_libraries(panel_test_support PUBLIC zephyra_frame Qt6::Test)

foreach(name RecordPanelsTest HistoryPanelTest CaseSelectPanelTest GalleryPanelTest)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/panels/${name}.cpp)
  target_link_libraries(${name} PRIVATE panel_test_support)
  add_test(NAME frame_${name} COMMAND ${name})
endforeach()
