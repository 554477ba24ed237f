# Install layout: the programs in bin, the help pages in share/tavimoro/help
# (the program looks for them there, relative to its own folder), the
# desktop entry, the AppStream metainfo, the file types it opens, the icon in
# every theme size, the man pages, the copyright file and the changelog. `cpack -G DEB` in the build folder turns this into a Debian
# package.
include(GNUInstallDirs)
set(TAVIMORO_APP_ID app.tavimoro.tavimoro)

if(TARGET tavimoro)
  install(TARGETS tavimoro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/${TAVIMORO_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/metainfo/${TAVIMORO_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The .sdk and .ss file types that the desktop entry opens; the database
  # is rebuilt by the shared-mime-info trigger when the package installs.
  install(FILES ${PROJECT_SOURCE_DIR}/data/mime/${TAVIMORO_APP_ID}.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/tavimoro.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Drawn at build time by tools/render_icons.
  install(DIRECTORY ${PROJECT_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()
install(TARGETS tavimoro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tavimoro/help)

# Man pages, compressed as Debian keeps them: tavimoro(6), tavimoro-cli(1).
set(man_pages)
foreach(page tavimoro.6 tavimoro-cli.1)
  if(page STREQUAL "tavimoro.6" AND NOT TARGET tavimoro)
    continue()
  endif()
  string(REGEX REPLACE ".*\\." "" section ${page})
  set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/man/${page} ${PROJECT_BINARY_DIR}/man/${page}
    COMMAND gzip -9 -n -f ${PROJECT_BINARY_DIR}/man/${page}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${page}
    VERBATIM)
  list(APPEND man_pages ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(tavimoro_man_pages ALL DEPENDS ${man_pages})

# The package's copyright (machine-readable) and changelog, where Debian
# keeps them for a native package.
set(changelog ${PROJECT_BINARY_DIR}/package/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/package/changelog ${PROJECT_BINARY_DIR}/package/changelog
  COMMAND gzip -9 -n -f ${PROJECT_BINARY_DIR}/package/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/data/package/changelog
  VERBATIM)
add_custom_target(tavimoro_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} ${PROJECT_SOURCE_DIR}/data/package/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavimoro)

# The Debian package. Library dependencies come from dpkg-shlibdeps; the Qt
# platform and SVG plugins ship in the libraries' own packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavimoro)
set(CPACK_PACKAGE_VENDOR "The Tavimoro developers")
set(CPACK_PACKAGE_CONTACT "The Tavimoro developers <packages@tavimoro.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku trainer with graded hints and a logical solver")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavimoro shows a Sudoku board to solve with a pen for values and a pencil for
candidate marks. Its logical engine gives graded hints, checks pencil marks,
rates a puzzle's difficulty by the techniques a logical solve needs, and
generates new unique puzzles. Puzzles are typed in, pasted or opened from
files in the layouts players exchange, pencil-mark grids included.

The package also holds tavimoro-cli, which validates, steps, traces, rates
and generates puzzles in bulk.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tavimoro.app/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
