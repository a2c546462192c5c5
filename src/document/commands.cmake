target_sources(zephyra_document PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DocumentCommands.cpp
)
