# The package a game's packager ships: zorv3d-frontend-<version>.zip, holding what an
# installation needs beside the game (the program, its data and settings files, the sample
# driver folders) and PACKAGERS.txt. Tests and stand-in tools stay out unless asked for.
#   cmake --build --preset windows --target package_zip
option(ZORV_PACKAGE_STAND_IN "Put the stand-in game proc.exe into the package as well" OFF)

set(ZORV_PACKAGE_NAME zorv3d-frontend-${PROJECT_VERSION})
set(ZORV_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${ZORV_PACKAGE_NAME}.zip)
set(zorv_stage ${CMAKE_BINARY_DIR}/package)
set(VERSION ${PROJECT_VERSION})
configure_file(${CMAKE_SOURCE_DIR}/packaging/PACKAGERS.txt ${CMAKE_BINARY_DIR}/PACKAGERS.txt @ONLY
  NEWLINE_STYLE CRLF)

set(zorv_stand_in_copy "")
if(ZORV_PACKAGE_STAND_IN)
  set(zorv_stand_in_copy COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:demo_game> ${zorv_stage}/proc.exe)
endif()

add_custom_command(OUTPUT ${ZORV_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zorv_stage} ${ZORV_PACKAGE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZORV_ASSETS_DIR}/game ${zorv_stage}
  COMMAND ${CMAKE_STRIP} -o ${zorv_stage}/zorv3d.exe $<TARGET_FILE:zorv3d>
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/PACKAGERS.txt ${zorv_stage}/PACKAGERS.txt
  ${zorv_stand_in_copy}
  COMMAND ${CMAKE_COMMAND} -E chdir ${zorv_stage} ${CMAKE_COMMAND} -E tar cf ${ZORV_PACKAGE_ZIP} --format=zip .
  DEPENDS zorv3d ${ZORV_ASSETS_STAMP} ${CMAKE_BINARY_DIR}/PACKAGERS.txt
  COMMENT "Packing ${ZORV_PACKAGE_NAME}.zip")
add_custom_target(package_zip DEPENDS ${ZORV_PACKAGE_ZIP})
