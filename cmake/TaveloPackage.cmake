# The manual page, the AppStream metainfo and the copyright notice, installed with the
# program; and the Debian package CPack makes of the whole installation
# (scripts/package.sh builds it, scripts/package-test.sh installs and removes it).

set(TAVELO_PACKAGE_CONTACT "Tavelo developers <developers@tavelo.example.org>"
  CACHE STRING "Maintainer of the Debian package: name and address")

# The manual page, compressed as man-db reads it; -n leaves the name and time out of the
# gzip header, so the same source gives the same bytes.
find_program(TAVELO_GZIP gzip REQUIRED)
set(TAVELO_MAN_PAGE "${PROJECT_BINARY_DIR}/man/tavelo.1")
add_custom_command(OUTPUT "${TAVELO_MAN_PAGE}.gz"
  COMMAND "${CMAKE_COMMAND}" -E copy "${PROJECT_SOURCE_DIR}/docs/tavelo.1" "${TAVELO_MAN_PAGE}"
  COMMAND "${TAVELO_GZIP}" -9nf "${TAVELO_MAN_PAGE}"
  DEPENDS "${PROJECT_SOURCE_DIR}/docs/tavelo.1"
  COMMENT "Compressing the manual page"
  VERBATIM)
add_custom_target(tavelo_man_page ALL DEPENDS "${TAVELO_MAN_PAGE}.gz")

install(FILES "${TAVELO_MAN_PAGE}.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES "${PROJECT_SOURCE_DIR}/desktop/org.example.tavelo.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/tavelo")

# The Debian changelog belongs to the package alone: its own component, which a plain
# `cmake --install` leaves out and CPack adds (CPACK_INSTALL_CMAKE_PROJECTS below).
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(TAVELO_DEB_VERSION "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
# string(TIMESTAMP) follows SOURCE_DATE_EPOCH when it is set.
string(TIMESTAMP TAVELO_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in"
  "${PROJECT_BINARY_DIR}/packaging/changelog.Debian" @ONLY)
add_custom_command(OUTPUT "${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz"
  COMMAND "${TAVELO_GZIP}" -9nkf "${PROJECT_BINARY_DIR}/packaging/changelog.Debian"
  DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog.Debian"
  VERBATIM)
add_custom_target(tavelo_debian_changelog ALL
  DEPENDS "${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz")
install(FILES "${PROJECT_BINARY_DIR}/packaging/changelog.Debian.gz"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/tavelo"
  COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavelo)
set(CPACK_PACKAGE_VENDOR "Tavelo developers")
set(CPACK_PACKAGE_CONTACT "${TAVELO_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for Japanese vertical text")
set(CPACK_PACKAGE_DESCRIPTION [[
Tavelo shows Japanese texts the way Japanese books are set: each line a
column, from right to left, with its ruby in a narrow column beside it.

It reads documents in the tl2 format: Shift-JIS texts laid out as in a
fixed-pitch editor, with ruby lines above the body lines and typeface lines
below them. It keeps several documents open and brings them back at their
places on the next start, searches them, and prints them or writes them to
PDF on manuscript pages or as the screen's pages. From the command line it
renders a view to PNG or dumps the layout as JSON without a display.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/"
  "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the fonts are read at run time, the Qt
# translations only make the standard dialogs speak Japanese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# CPACK_DEBIAN_PACKAGE_HOMEPAGE defaults to project(HOMEPAGE_URL).

include(CPack)
