# Installation: the programs go to libexec/dunestride, the game data and the default configuration files to
# share/dunestride, and bin/ gets the launchers that run each program in the player's own folder (the engine
# writes its configuration back, so the programs cannot run in the read-only share folder).
include(GNUInstallDirs)

set(DUNESTRIDE_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/dunestride)
set(DUNESTRIDE_INSTALL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/dunestride)

install(TARGETS dunestride RUNTIME DESTINATION ${DUNESTRIDE_INSTALL_PROGRAM_DIR})
if(TARGET pathsketch)
    install(TARGETS pathsketch RUNTIME DESTINATION ${DUNESTRIDE_INSTALL_PROGRAM_DIR})
endif()

install(DIRECTORY ${DUNESTRIDE_MEDIA_DIR}/ DESTINATION ${DUNESTRIDE_INSTALL_SHARE_DIR}/media)
install(FILES
    ${DUNESTRIDE_RUN_DIR}/ogre.cfg
    ${DUNESTRIDE_RUN_DIR}/plugins.cfg
    ${DUNESTRIDE_RUN_DIR}/library1.xml
    DESTINATION ${DUNESTRIDE_INSTALL_SHARE_DIR})

# The launcher fills in where the game data ended up, so the installed tree may be moved.
set(DUNESTRIDE_RESOURCE_MEDIA_DIR "%MEDIA_DIR%")
configure_file(config/resources.cfg.in ${CMAKE_CURRENT_BINARY_DIR}/install/resources.cfg.in @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/install/resources.cfg.in DESTINATION ${DUNESTRIDE_INSTALL_SHARE_DIR})

set(DUNESTRIDE_LAUNCHED_DEFAULT_FILE_dunestride "")
set(DUNESTRIDE_LAUNCHED_DEFAULT_FILE_pathsketch library1.xml)
foreach(program dunestride pathsketch)
    set(DUNESTRIDE_LAUNCHED_PROGRAM ${program})
    set(DUNESTRIDE_LAUNCHED_DEFAULT_FILE ${DUNESTRIDE_LAUNCHED_DEFAULT_FILE_${program}})
    configure_file(config/launcher.sh.in ${CMAKE_CURRENT_BINARY_DIR}/install/${program} @ONLY)
    install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/install/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Desktop entries, icons, metainfo, manual pages and the Debian package.
add_subdirectory(${PROJECT_SOURCE_DIR}/packaging ${PROJECT_BINARY_DIR}/packaging)
