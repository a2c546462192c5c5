# The docked panels: the panel frame, the record panels and the case tree.
target_sources(zephyra_frame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanel.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/PanelFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/PanelImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/PanelImages.h
)
target_include_directories(zephyra_frame PUBLIC ${CMAKE_CURRENT_LIST_DIR}/panels)
