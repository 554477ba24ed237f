# Install layout: the programs in bin, the help pages in share/tavimoro/help
# (the program looks for them there, relative to its own folder), and a
# desktop entry with its icon so that the program shows in the menus.
include(GNUInstallDirs)
if(TARGET tavimoro)
  install(TARGETS tavimoro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS tavimoro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tavimoro/help)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/tavimoro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/tavimoro.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
