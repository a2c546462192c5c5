find_package(pugixml REQUIRED)
add_executable(document_persistence_tests
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AttractorXmlTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigPathTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlNumbersTest.cpp
)
target_link_libraries(document_persistence_tests PRIVATE zephyra_document pugixml::pugixml GTest::gtest_main)
add_test(NAME document_persistence_tests COMMAND document_persistence_tests)
