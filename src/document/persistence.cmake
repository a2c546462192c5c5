# The XML files: attractor records, the configuration file and the ".zpr" documents.
find_package(pugixml REQUIRED)
target_sources(zephyra_document PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AttractorText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AttractorXml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfigPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlNumbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlFile.cpp
)
target_link_libraries(zephyra_document PRIVATE pugixml::pugixml)
