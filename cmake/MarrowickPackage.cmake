# The Debian package (cpack -G DEB, or the "package" target): the installed layout under /usr,
# library dependencies found by dpkg-shlibdeps, plus what the program runs or loads by name.

set(MARROWICK_PACKAGE_MAINTAINER "Marrowick developers" CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marrowick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${MARROWICK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Review films for EU AI Act disclosure labels")
set(CPACK_PACKAGE_DESCRIPTION
  "Marrowick finds every shot of your films on your own computer, groups similar shots and lets a
person decide for each shot whether it needs an AI label. It writes a review package, labelled
display copies and delivery files encoded with FFmpeg.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Appended to by dpkg-shlibdeps: FFmpeg and FFprobe encode and check deliveries as child
# processes, and Qt's media player decodes films through these GStreamer plugins.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg, gstreamer1.0-plugins-good, gstreamer1.0-libav")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info")

# Each cache is refreshed only where its tool is installed: a desktop-less system has none.
set(MARROWICK_REFRESH_DESKTOP
  "if command -v update-desktop-database >/dev/null; then update-desktop-database -q ${CPACK_PACKAGING_INSTALL_PREFIX}/share/applications; fi
    if command -v update-mime-database >/dev/null; then update-mime-database ${CPACK_PACKAGING_INSTALL_PREFIX}/share/mime; fi
    if command -v gtk-update-icon-cache >/dev/null; then gtk-update-icon-cache -q -t -f ${CPACK_PACKAGING_INSTALL_PREFIX}/share/icons/hicolor; fi")
foreach(script postinst postrm)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/${script}.in ${CMAKE_BINARY_DIR}/debian/${script}
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                 WORLD_READ WORLD_EXECUTE)
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/postinst ${CMAKE_BINARY_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
