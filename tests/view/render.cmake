# The Qt-free half of the view: camera maths, colours, the software renderer and PNG output.
add_executable(view_render_tests
  ${CMAKE_CURRENT_LIST_DIR}/CameraTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SceneStyleTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoftwareRendererTest.cpp
)
target_link_libraries(view_render_tests PRIVATE zephyra_render GTest::gtest_main)
add_test(NAME view_render_tests COMMAND view_render_tests)
