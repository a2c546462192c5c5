# `zephyra render` draws through the render layer: the point renderer and the density renderer.
target_sources(zephyra_cli PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ProgressBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RenderOptions.cpp
)
target_link_libraries(zephyra_cli PUBLIC zephyra_render)
