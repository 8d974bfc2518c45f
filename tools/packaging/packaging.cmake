# Installation and the Debian package (cpack -G DEB, or tools/package.sh).
# app/CMakeLists.txt installs the program and its manual; this file adds the
# desktop entry, the icon, the udev rule, the copyright and changelog files
# Debian looks for, then sets up CPack.

set(VELANTRA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
include(GNUInstallDirs)

install(FILES ${VELANTRA_PACKAGING_DIR}/org.korvex.Velantra.desktop DESTINATION share/applications)
install(FILES ${VELANTRA_PACKAGING_DIR}/velantra.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${VELANTRA_PACKAGING_DIR}/org.korvex.Velantra.metainfo.xml DESTINATION share/metainfo)
# Manual pages, compressed as Debian wants them; velantra.1 covers velantra-player too.
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
foreach(page velantra velantra-show)
  execute_process(COMMAND gzip -9nc INPUT_FILE ${VELANTRA_PACKAGING_DIR}/${page}.1
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(CREATE_LINK velantra.1.gz ${PROJECT_BINARY_DIR}/packaging/velantra-player.1.gz SYMBOLIC)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${VELANTRA_PACKAGING_DIR}/velantra.1 ${VELANTRA_PACKAGING_DIR}/velantra-show.1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/velantra.1.gz ${PROJECT_BINARY_DIR}/packaging/velantra-show.1.gz
              ${PROJECT_BINARY_DIR}/packaging/velantra-player.1.gz
        DESTINATION share/man/man1)
# Show and patch files as types of their own: a file manager opens a show with the program.
install(FILES ${VELANTRA_PACKAGING_DIR}/velantra-mime.xml DESTINATION share/mime/packages RENAME velantra.xml)

# share/doc/velantra: the copyright file points at Debian's copy of the licence;
# the changelog carries the version and the configure date (or SOURCE_DATE_EPOCH).
string(TIMESTAMP VELANTRA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${VELANTRA_PACKAGING_DIR}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
execute_process(COMMAND gzip -9nc INPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${VELANTRA_PACKAGING_DIR}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/velantra)
# The HTML manual (app/CMakeLists.txt) registered with doc-base, and what
# lintian is told to accept, each with its reason in the file.
install(FILES ${VELANTRA_PACKAGING_DIR}/velantra.doc-base DESTINATION share/doc-base RENAME velantra)
install(FILES ${VELANTRA_PACKAGING_DIR}/lintian-overrides DESTINATION share/lintian/overrides RENAME velantra)

# The udev rule and the AppStream file name the same devices; the systemd
# unit names the player where this prefix installs it.
if(VELANTRA_BUILD_TESTS)
  add_test(NAME Packaging.UdevRuleAndAppStreamNameTheSameDevices
           COMMAND ${VELANTRA_PACKAGING_DIR}/check_devices.sh ${PROJECT_SOURCE_DIR}/tools/udev/60-velantra-ftdi.rules
                   ${VELANTRA_PACKAGING_DIR}/org.korvex.Velantra.metainfo.xml)
  add_test(NAME Packaging.SystemdUnitStartsTheInstalledPlayer
           COMMAND grep -qx "ExecStart=${CMAKE_INSTALL_FULL_BINDIR}/velantra-player --queue --chasers"
                   ${PROJECT_BINARY_DIR}/player/velantra-player.service)
endif()

# udev reads /usr/lib/udev/rules.d and /usr/local/lib/udev/rules.d as well as
# /lib/udev/rules.d, so the rule stays under the prefix: the package gets
# /usr/lib/udev/rules.d, and an install into a home directory needs no root.
set(VELANTRA_UDEV_RULES_DIR lib/udev/rules.d
    CACHE STRING "Where the FTDI udev rule is installed (relative paths are under the prefix)")
install(FILES ${PROJECT_SOURCE_DIR}/tools/udev/60-velantra-ftdi.rules DESTINATION ${VELANTRA_UDEV_RULES_DIR})

# The desktop entry and the AppStream file are checked whenever the validators
# are there (desktop-file-utils, appstream; tools/deps.sh installs both).
find_program(VELANTRA_DESKTOP_FILE_VALIDATE desktop-file-validate)
if(VELANTRA_BUILD_TESTS AND VELANTRA_DESKTOP_FILE_VALIDATE)
  add_test(NAME DesktopEntry.Validates
           COMMAND ${VELANTRA_DESKTOP_FILE_VALIDATE} ${VELANTRA_PACKAGING_DIR}/org.korvex.Velantra.desktop)
endif()
find_program(VELANTRA_APPSTREAMCLI appstreamcli)
if(VELANTRA_BUILD_TESTS AND VELANTRA_APPSTREAMCLI)
  # --no-net: the machines that build have no internet; a warning fails the test.
  add_test(NAME AppStream.Validates
           COMMAND ${VELANTRA_APPSTREAMCLI} validate --no-net --explain
                   ${VELANTRA_PACKAGING_DIR}/org.korvex.Velantra.metainfo.xml)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velantra)
set(CPACK_PACKAGE_VENDOR "Velantra developers")
set(CPACK_PACKAGE_CONTACT "Velantra developers <velantra@korvex.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DMX512 stage-lighting controller")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary above this.
# CPack indents every line and turns an empty line into the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Velantra builds and plays lighting shows of up to 256 scenes over 255 DMX
channels: scenes played at a tempo with smooth fades, live faders, static
pictures on the keyboard, two four-channel chasers, pan/tilt figures for
moving heads, an output patch and a conveyor of shows played one after
another.

Every 50 ms it sends the frame to FTDI-based USB DMX interfaces (its own,
DMX USB Pro and Open DMX widgets, through the vendor's D2XX library, the
kernel's serial driver or libftdi1) and over the network as sACN (E1.31)
and Art-Net. MIDI control surfaces drive the faders and show controls,
with feedback to motorised faders and button lamps.

velantra-player plays a show or the conveyor without a window, as a
systemd user service for unattended installations; velantra-show prints,
exports, imports and compares show files as text (JSON).")
# Library packages come from dpkg-shlibdeps. Qt's X11 platform plugin ships in
# libqt6gui6 on Debian 12 (qt6-qpa-plugins holds only vnc and tuio), so the one
# thing loaded at run time that shlibdeps cannot see is a font with Cyrillic.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
# F1 hands the manual to xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VELANTRA_PACKAGING_DIR}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
