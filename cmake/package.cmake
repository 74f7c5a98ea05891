# `make package` (cmake --build DIR --target package): a Debian package of what
# install.cmake installs, with its dependencies computed from the programs.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bemsol)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${BEMSOL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_VENDOR "Bemsol")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Binaries stripped of what only a debugger needs; the build keeps its symbols.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${BEMSOL_PACKAGE_MAINTAINER})
# CPack indents the lines after the first itself; "." separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "field book, record and check workbooks of a GNSS control survey
Bemsol reads the exchange file that baseline-processing software writes
after a GNSS control survey, shows every baseline in a grid where session
names, point numbers and names, receivers and antennas can be corrected,
keeps the work as a project, prints the GPS survey observation field book
and record, and fills the check and accuracy workbooks of a Japanese public
control survey.
.
Dravel, included, writes the survey results numeric data file from the HTML
results report of a network adjustment program.
.
The windows and messages are in Japanese; bemsol-cli and dravel-cli do the
same work from the command line.")
# The libraries come from the programs (SQLite among them); what they load at run time
# does not show there: the fonts the forms are set in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
# Qt's own dialog buttons in Japanese, opening files and the manual on the desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
# Legacy .xls templates are converted with LibreOffice.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Symbols bound at start, as Debian's hardened builds link them.
foreach(program bemsol dravel bemsol-cli dravel-cli)
  target_link_options(${program} PRIVATE -Wl,-z,relro,-z,now)
endforeach()

include(CPack)
