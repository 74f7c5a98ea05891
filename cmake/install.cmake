# What `cmake --install` puts under the prefix; the Debian package holds the same.
#   bin/                          the four programs
#   share/bemsol/                 templates, ChangeName.ini, examples, manual
#   share/applications/ icons/ metainfo/ mime/ man/ doc/   the desktop's and Debian's places
include(GNUInstallDirs)

set(BEMSOL_PACKAGE_MAINTAINER "Bemsol maintainers <maintainers@bemsol.example>"
    CACHE STRING "The Debian package's maintainer, as \"Name <address>\"")

set(BEMSOL_DATADIR ${CMAKE_INSTALL_DATADIR}/bemsol)
set(BEMSOL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/bemsol)

install(TARGETS bemsol dravel bemsol-cli dravel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Read-only defaults, found relative to the programs (FileLocations: ../share/bemsol).
file(GLOB shipped_defaults CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/share/*.xlsx ${CMAKE_SOURCE_DIR}/share/*.docx ${CMAKE_SOURCE_DIR}/share/ChangeName.ini)
install(FILES ${shipped_defaults} DESTINATION ${BEMSOL_DATADIR})
install(FILES ${CMAKE_SOURCE_DIR}/examples/sample-survey.xml DESTINATION ${BEMSOL_DATADIR}/examples)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/results-report DESTINATION ${BEMSOL_DATADIR}/examples)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/manual DESTINATION ${BEMSOL_DATADIR})

# The desktop: launchers, icons, file types, software-centre data.
install(FILES ${CMAKE_SOURCE_DIR}/share/applications/bemsol.desktop
              ${CMAKE_SOURCE_DIR}/share/applications/dravel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(icon ${BEMSOL_ICONS})
  install(FILES ${CMAKE_SOURCE_DIR}/share/icons/${icon}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size ${BEMSOL_ICON_SIZES})
    install(FILES ${BEMSOL_DESKTOP_DIR}/icons/${size}x${size}/apps/${icon}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/share/mime/bemsol.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(id ${BEMSOL_METAINFO})
  install(FILES ${BEMSOL_DESKTOP_DIR}/metainfo/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endforeach()

foreach(page ${BEMSOL_MAN_PAGES})
  install(FILES ${BEMSOL_DESKTOP_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# What Debian asks of every package: the copyright and, for a package made here, a
# changelog of its own in Debian's format.
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog.in ${BEMSOL_DESKTOP_DIR}/doc/changelog @ONLY)
add_custom_command(
  OUTPUT ${BEMSOL_DESKTOP_DIR}/doc/changelog.gz
  COMMAND ${GZIP_PROGRAM} -9nf -k ${BEMSOL_DESKTOP_DIR}/doc/changelog
  DEPENDS ${BEMSOL_DESKTOP_DIR}/doc/changelog)
add_custom_target(package-changelog ALL DEPENDS ${BEMSOL_DESKTOP_DIR}/doc/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright ${BEMSOL_DESKTOP_DIR}/doc/changelog.gz
        DESTINATION ${BEMSOL_DOCDIR})
