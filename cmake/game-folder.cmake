# Lays out a complete game folder, build/<preset>/game/, as an installation puts it on disk.
set(ZORV_GAME_DIR ${CMAKE_BINARY_DIR}/game)
add_custom_target(game ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZORV_ASSETS_DIR}/game ${ZORV_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:zorv3d> ${ZORV_GAME_DIR}/zorv3d.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:demo_game> ${ZORV_GAME_DIR}/proc.exe
  DEPENDS zorv3d demo_game zorv_assets
  COMMENT "Laying out the game folder in ${ZORV_GAME_DIR}")
