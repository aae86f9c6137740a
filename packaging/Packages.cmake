# make package: CPack writes the Debian package from this build's install
# tree, and the Windows zip from the Windows build's (make windows), both
# into this build folder:
#   tonvisor_<version>_amd64.deb     tonvisor-<version>-win32.zip
# PerPackage.cmake.in sets what differs between the two.
set(TONVISOR_WINDOWS_BUILD ${PROJECT_SOURCE_DIR}/build-windows CACHE PATH
  "The Windows build whose program goes into the zip and whose programs the Wine tests run")

set(CPACK_GENERATOR DEB ZIP)
set(CPACK_PACKAGE_NAME tonvisor)
set(CPACK_PACKAGE_VENDOR "The Tonvisor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chord spectrograph: which chords a few notes belong to")
set(CPACK_PACKAGE_DESCRIPTION [[
Tonvisor is for musicians who want to know what a few notes could be part of.
Type up to five note names, such as c e g or f# a% c, and press Enter:
Tonvisor scores all 132 candidate chords (11 chord types on 12 roots) by how
well the notes fit, and draws the scores as a chord spectrograph, one
coloured spike per chord. The spikes group by root or by chord type, and a
click on a spike names its chord. A help document explains the scores.
.
The package also holds tonvisor-cli, which runs the same analysis from a
shell, one entry or many, as text or JSON, and draws the window's picture
into a PNG file.]])
set(CPACK_PACKAGE_CONTACT ${TONVISOR_MAINTAINER})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/PerPackage.cmake)
configure_file(PerPackage.cmake.in PerPackage.cmake @ONLY)
# Directories the packages make are 755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps. The text is laid out for Arial's
# metrics, which Liberation Sans has; the rest is useful but not needed:
# FluidSynth's library (loaded at run time, so dpkg-shlibdeps does not see it)
# and a General MIDI soundfont for sound, xdg-open as the default help viewer.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libfluidsynth3, timgm6mb-soundfont | sf2-soundfont-gm, xdg-utils")

include(CPack)
