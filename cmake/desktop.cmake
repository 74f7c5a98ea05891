# What ships besides the programs, made ready in the build tree: the manual beside the
# programs (so a build or a portable copy opens it from the help menu), the icons
# rendered from their drawings, the man pages compressed, and the metainfo with this
# version.

set(BEMSOL_DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
set(BEMSOL_ICON_SIZES 16 32 48 64 128 256)
set(BEMSOL_ICONS bemsol dravel)
set(BEMSOL_MAN_PAGES bemsol bemsol-cli dravel dravel-cli)
set(BEMSOL_METAINFO bemsol dravel)

# The manual and the screenshots it shows, beside the programs.
file(GLOB manual_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/share/manual/*)
foreach(f ${manual_files})
  get_filename_component(name ${f} NAME)
  configure_file(${f} ${CMAKE_BINARY_DIR}/bin/manual/${name} COPYONLY)
endforeach()
# Only the pictures the page shows: docs/ holds others for the README.
set(BEMSOL_MANUAL_IMAGES bemsol-login.png bemsol-main-window.png bemsol-recent-files.png
                         fieldbook-page1.png record-page1.png checks-window.png checkbook-page1.png
                         diagram-sample.png)
foreach(name ${BEMSOL_MANUAL_IMAGES})
  configure_file(${CMAKE_SOURCE_DIR}/docs/${name} ${CMAKE_BINARY_DIR}/bin/manual/images/${name} COPYONLY)
endforeach()

# A release date for the metainfo and the package's changelog; SOURCE_DATE_EPOCH, when
# set, makes it reproducible.
string(TIMESTAMP BEMSOL_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP BEMSOL_RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
foreach(id ${BEMSOL_METAINFO})
  configure_file(${CMAKE_SOURCE_DIR}/share/metainfo/${id}.metainfo.xml
                 ${BEMSOL_DESKTOP_DIR}/metainfo/${id}.metainfo.xml @ONLY)
endforeach()

# Icons: every PNG size drawn from the one SVG, at build time.
set(icon_outputs "")
foreach(icon ${BEMSOL_ICONS})
  set(outputs "")
  foreach(size ${BEMSOL_ICON_SIZES})
    list(APPEND outputs ${BEMSOL_DESKTOP_DIR}/icons/${size}x${size}/apps/${icon}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:render-icons> ${CMAKE_SOURCE_DIR}/share/icons/${icon}.svg
            ${BEMSOL_DESKTOP_DIR}/icons ${BEMSOL_ICON_SIZES}
    DEPENDS render-icons ${CMAKE_SOURCE_DIR}/share/icons/${icon}.svg
    COMMENT "Rendering the ${icon} icon")
  list(APPEND icon_outputs ${outputs})
endforeach()

# Man pages with this version, compressed as Debian installs them; gzip -n leaves the
# time out so the same page gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_outputs "")
foreach(page ${BEMSOL_MAN_PAGES})
  configure_file(${CMAKE_SOURCE_DIR}/share/man/${page}.1 ${BEMSOL_DESKTOP_DIR}/man/${page}.1 @ONLY)
  add_custom_command(
    OUTPUT ${BEMSOL_DESKTOP_DIR}/man/${page}.1.gz
    COMMAND ${GZIP_PROGRAM} -9nf -k ${BEMSOL_DESKTOP_DIR}/man/${page}.1
    DEPENDS ${BEMSOL_DESKTOP_DIR}/man/${page}.1
    COMMENT "Compressing the ${page} man page")
  list(APPEND man_outputs ${BEMSOL_DESKTOP_DIR}/man/${page}.1.gz)
endforeach()

add_custom_target(desktop-files ALL DEPENDS ${icon_outputs} ${man_outputs})
