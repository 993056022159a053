# Lays out a complete game folder, build/<preset>/game/, as an installation puts it on disk.
# It is laid out afresh each time, so that nothing a demo run left in it (settings, copied
# driver libraries) or a renamed sample folder outlives the build.
set(ZORV_GAME_DIR ${CMAKE_BINARY_DIR}/game)
add_custom_target(game ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ZORV_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZORV_ASSETS_DIR}/game ${ZORV_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zorv3d> ${ZORV_GAME_DIR}/zorv3d.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:demo_game> ${ZORV_GAME_DIR}/proc.exe
  DEPENDS zorv3d demo_game zorv_assets
  COMMENT "Laying out the game folder in ${ZORV_GAME_DIR}")
