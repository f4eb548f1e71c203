# Installation: the launcher, the game program and its data, the desktop entry, the icons, the manual page and the software-centre entry.
include(GNUInstallDirs)

# Where each part goes under the prefix. The defaults suit a prefix of one's own; the Debian
# package moves the command, the program and the data to the places its policy gives games.
set(VANTORIX_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Folder of the vantorix command, under the prefix")
set(VANTORIX_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/vantorix CACHE STRING
    "Folder of the game program and the start script, under the prefix")
set(VANTORIX_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/vantorix CACHE STRING "Folder of the game's data, under the prefix")
set(VANTORIX_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantorix)
# The address the software-centre entry points at for the home page and the screenshots.
set(VANTORIX_WEBSITE "https://vantorix.example" CACHE STRING "The game's web site, without a trailing slash")

# The help, the manual page and the software-centre entry all name this version and date; the
# date honours SOURCE_DATE_EPOCH, which the package build sets from its changelog.
string(TIMESTAMP VANTORIX_RELEASE_DATE "%Y-%m-%d" UTC)

# The launcher finds the rest from where it lies, so that an installation made with
# `cmake --install BUILD --prefix DIR` works wherever DIR is and may be moved whole.
set(VANTORIX_FULL_BINDIR ${CMAKE_INSTALL_PREFIX}/${VANTORIX_INSTALL_BINDIR})
file(RELATIVE_PATH VANTORIX_START_FROM_BIN ${VANTORIX_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANTORIX_INSTALL_PROGRAMDIR}/start_game.sh)
file(RELATIVE_PATH VANTORIX_PROGRAM_FROM_BIN ${VANTORIX_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANTORIX_INSTALL_PROGRAMDIR}/vantorix)
file(RELATIVE_PATH VANTORIX_DATA_FROM_BIN ${VANTORIX_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANTORIX_INSTALL_DATADIR})
set(VANTORIX_FULL_DATADIR ${CMAKE_INSTALL_PREFIX}/${VANTORIX_INSTALL_DATADIR})
set(VANTORIX_FULL_DOCDIR ${CMAKE_INSTALL_PREFIX}/${VANTORIX_DOC_INSTALL_DIR})
configure_file(${CMAKE_SOURCE_DIR}/dist/vantorix.in ${CMAKE_BINARY_DIR}/dist/vantorix @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/vantorix.6.in ${CMAKE_BINARY_DIR}/dist/vantorix.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/vantorix.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/org.vantorix.Vantorix.metainfo.xml @ONLY)

install(PROGRAMS ${CMAKE_BINARY_DIR}/dist/vantorix DESTINATION ${VANTORIX_INSTALL_BINDIR})
install(TARGETS vantorix RUNTIME DESTINATION ${VANTORIX_INSTALL_PROGRAMDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/dist/start_game.sh DESTINATION ${VANTORIX_INSTALL_PROGRAMDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${VANTORIX_INSTALL_DATADIR}
        PATTERN README.md EXCLUDE)

install(FILES ${CMAKE_SOURCE_DIR}/dist/vantorix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/vantorix-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vantorix.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/dist/vantorix.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/dist/org.vantorix.Vantorix.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The README with its pictures, and the data's origins and terms (the Earth map's credit among them).
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${VANTORIX_DOC_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${VANTORIX_DOC_INSTALL_DIR}/docs
        FILES_MATCHING PATTERN "*.png")
install(FILES ${CMAKE_SOURCE_DIR}/data/README.md DESTINATION ${VANTORIX_DOC_INSTALL_DIR}/data)

# The installation test installs this build into a folder of its own.
if(TARGET tests_e2e_install)
  target_compile_definitions(tests_e2e_install PRIVATE
    VANTORIX_CMAKE_COMMAND="${CMAKE_COMMAND}"
    VANTORIX_BUILD_DIR="${CMAKE_BINARY_DIR}"
    VANTORIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(tests_e2e_install vantorix)
endif()
