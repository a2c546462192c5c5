# `zephyra render` draws through the view's software renderer.
target_link_libraries(zephyra_cli PUBLIC zephyra_render)
