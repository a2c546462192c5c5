# `zephyra search` and `zephyra variants` run the exact search on all cores.
target_sources(zephyra_cli PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BatchSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DiscoveryOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindOutput.cpp
)
target_link_libraries(zephyra_cli PUBLIC zephyra_discovery)
