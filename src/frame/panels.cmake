# The docked panels: the panel frame, the record panels and the case tree.
target_sources(zephyra_frame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/panels/CaseTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanel.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelEx.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelGrouped.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelGrouped.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelFavorites.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelFavorites.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelHistory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelHistory.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelSaved.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelSaved.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelSelect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelSelect.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/PanelFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/PanelImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/ThumbnailImage.cpp
)
target_include_directories(zephyra_frame PUBLIC ${CMAKE_CURRENT_LIST_DIR}/panels)
# The Gallery: finds of the background search on all cores, with their density thumbnails.
target_sources(zephyra_frame PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelGallery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/CPanelGallery.h
  ${CMAKE_CURRENT_LIST_DIR}/panels/GallerySearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panels/GallerySearch.h
)
target_link_libraries(zephyra_frame PUBLIC zephyra_discovery)
