#The main window : command table and dispatcher, bars, code box, status panes and layouts.
target_sources(zephyra_frame PRIVATE ${CMAKE_CURRENT_LIST_DIR} / CMainFrame.cpp ${CMAKE_CURRENT_LIST_DIR} /
               CMainFrame.h ${CMAKE_CURRENT_LIST_DIR} / CodeBox.cpp ${CMAKE_CURRENT_LIST_DIR} /
               CodeBox.h ${CMAKE_CURRENT_LIST_DIR} / CommandDispatcher.cpp ${CMAKE_CURRENT_LIST_DIR} /
               CommandDispatcher.h ${CMAKE_CURRENT_LIST_DIR} / CommandTable.cpp ${CMAKE_CURRENT_LIST_DIR} /
               CommandTable.h ${CMAKE_CURRENT_LIST_DIR} / FrameBars.cpp ${CMAKE_CURRENT_LIST_DIR} /
               FrameCommands.cpp ${CMAKE_CURRENT_LIST_DIR} / FrameIcons.cpp ${CMAKE_CURRENT_LIST_DIR} /
               FrameIcons.h ${CMAKE_CURRENT_LIST_DIR} / FrameLayouts.cpp ${CMAKE_CURRENT_LIST_DIR} /
               FrameLayouts.h ${CMAKE_CURRENT_LIST_DIR} / MenuModel.cpp ${CMAKE_CURRENT_LIST_DIR} /
               MenuModel.h ${CMAKE_CURRENT_LIST_DIR} / StatusPanes.cpp ${CMAKE_CURRENT_LIST_DIR} /
               StatusPanes.h)
target_sources(zephyra_frame PRIVATE ${CMAKE_CURRENT_LIST_DIR}/FileNames.cpp)
