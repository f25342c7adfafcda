# The files the program reads at run time, next to the executable in the build tree and
# under <prefix>/share/tavelo when installed (src/shell/ResourceLocator.h), and the files
# that make the program known to the desktop.

file(GLOB TAVELO_HELP_FILES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/help/*")
set(TAVELO_POINTER_FILES
  "${PROJECT_SOURCE_DIR}/cursors/arrow_normal_left_p.ico"
  "${PROJECT_SOURCE_DIR}/cursors/arrow_normal_left_b.ico"
  "${PROJECT_SOURCE_DIR}/cursors/arrow_normal_right_b.ico"
  "${PROJECT_SOURCE_DIR}/cursors/arrow_normal_right_p.ico")

# Copies them into the executable's folder on every build (copy_if_different keeps that
# cheap); the folder is known only as a target property, which a custom command's output
# cannot name.
add_custom_target(tavelo_resources ALL
  COMMAND "${CMAKE_COMMAND}" -E make_directory "$<TARGET_FILE_DIR:tavelo>/help"
  COMMAND "${CMAKE_COMMAND}" -E copy_if_different ${TAVELO_HELP_FILES} "$<TARGET_FILE_DIR:tavelo>/help"
  COMMAND "${CMAKE_COMMAND}" -E copy_if_different ${TAVELO_POINTER_FILES} "$<TARGET_FILE_DIR:tavelo>"
  COMMENT "Copying the help and the pointer images next to tavelo"
  VERBATIM)
add_dependencies(tavelo tavelo_resources)

install(TARGETS tavelo RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES ${TAVELO_HELP_FILES} DESTINATION "${TAVELO_INSTALL_DATADIR}/help")
install(FILES ${TAVELO_POINTER_FILES} DESTINATION "${TAVELO_INSTALL_DATADIR}")
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES "${PROJECT_SOURCE_DIR}/icons/hicolor/${size}x${size}/apps/tavelo.png"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${PROJECT_SOURCE_DIR}/desktop/tavelo.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/tavelo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
