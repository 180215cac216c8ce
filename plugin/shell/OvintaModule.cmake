# The module Ovinta.so: its entry point, and every part of the plug-in.
add_library(Ovinta MODULE
  shell/OvintaEntry.cpp
)
set_target_properties(Ovinta PROPERTIES PREFIX "" OUTPUT_NAME Ovinta)
# Every part of the plug-in goes into the module; only fnCallback is
# exported, so that nothing of the plug-in can collide with what the host
# or another module defines.
target_link_libraries(Ovinta PRIVATE
  plugin_maindlg plugin_canvas plugin_palette plugin_sync plugin_blocks plugin_lines plugin_shell
  platform corvala)
target_link_options(Ovinta PRIVATE
  -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/shell/Ovinta.map -Wl,--no-undefined)
set_property(TARGET Ovinta APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/shell/Ovinta.map)
