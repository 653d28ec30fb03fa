# Installation of the game: the program and its launcher, the game data and the default configuration files.
dunestride_install_program(dunestride)

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
