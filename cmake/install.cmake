# Installation: the launcher, the game program and its data, the desktop entry and the icons, in the standard places.
include(GNUInstallDirs)

set(VANTORIX_PROGRAM_INSTALL_DIR ${CMAKE_INSTALL_LIBEXECDIR}/vantorix)
set(VANTORIX_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/vantorix)
set(VANTORIX_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/doc/vantorix)

# The launcher finds the rest from where it lies, so that an installation made with
# `cmake --install BUILD --prefix DIR` works wherever DIR is and may be moved whole.
file(RELATIVE_PATH VANTORIX_START_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANTORIX_PROGRAM_INSTALL_DIR}/start_game.sh)
file(RELATIVE_PATH VANTORIX_PROGRAM_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANTORIX_PROGRAM_INSTALL_DIR}/vantorix)
file(RELATIVE_PATH VANTORIX_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${VANTORIX_DATA_INSTALL_DIR})
configure_file(${CMAKE_SOURCE_DIR}/dist/vantorix.in ${CMAKE_BINARY_DIR}/dist/vantorix @ONLY)

install(PROGRAMS ${CMAKE_BINARY_DIR}/dist/vantorix DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS vantorix RUNTIME DESTINATION ${VANTORIX_PROGRAM_INSTALL_DIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/dist/start_game.sh DESTINATION ${VANTORIX_PROGRAM_INSTALL_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${VANTORIX_DATA_INSTALL_DIR}
        PATTERN README.md EXCLUDE)

install(FILES ${CMAKE_SOURCE_DIR}/dist/vantorix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/vantorix-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vantorix.png)
endforeach()

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
