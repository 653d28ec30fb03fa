# Where an installation puts things: the programs in libexec/dunestride, the game data and the default files in
# share/dunestride, and in bin/ a launcher for each program that runs it in the player's own folder (the engine
# writes its configuration back, so the programs cannot run in the read-only share folder).
include(GNUInstallDirs)

set(DUNESTRIDE_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/dunestride)
set(DUNESTRIDE_INSTALL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/dunestride)

# Installs the program target and its launcher bin/NAME. An optional second argument is the file the launcher
# hands the program when it is given none, relative to the player's folder.
function(dunestride_install_program program)
    install(TARGETS ${program} RUNTIME DESTINATION ${DUNESTRIDE_INSTALL_PROGRAM_DIR})
    set(DUNESTRIDE_LAUNCHED_PROGRAM ${program})
    set(DUNESTRIDE_LAUNCHED_DEFAULT_FILE "${ARGV1}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/launcher.sh.in ${CMAKE_CURRENT_BINARY_DIR}/install/${program} @ONLY)
    install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/install/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
