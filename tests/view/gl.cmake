# The OpenGL view as a person uses it: real widgets under Xvfb, Mesa's llvmpipe.
if(ZEPHYRA_GUI)
  add_executable(view_gl_tests ${CMAKE_CURRENT_LIST_DIR}/ViewGlTest.cpp)
  target_include_directories(view_gl_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/document ${PROJECT_SOURCE_DIR}/tests/render)
  target_link_libraries(view_gl_tests PRIVATE zephyra_view Qt6::Test)
  add_test(NAME view_gl_tests COMMAND view_gl_tests)
  # The same view on a screen of twice the pixel density.
  add_test(NAME view_gl_tests_high_dpi
           COMMAND view_gl_tests pictureFillsTheViewInDevicePixels drawsTheHenonAttractor)
  set_tests_properties(view_gl_tests_high_dpi PROPERTIES ENVIRONMENT "QT_SCALE_FACTOR=2")
endif()
