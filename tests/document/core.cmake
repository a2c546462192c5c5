add_executable(document_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/ComputePointsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentStateTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetAttractorTest.cpp
)
target_include_directories(document_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(document_core_tests PRIVATE zephyra_document GTest::gtest_main)
add_test(NAME document_core_tests COMMAND document_core_tests)
