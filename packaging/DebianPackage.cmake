# The Debian package (`cpack -G DEB`, or ./scripts/package for a release
# build): what dpkg, apt and lintian read about it. Its files are the
# install rules beside this file, placed under /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wexo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${WEXO_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WEXO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://wexo.com")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "system-wide mouse utility with smooth scrolling
Wexo sits in the desktop's input stream and turns every wheel notch into
smooth, eased pixel scrolling, with settings per display and per
application. It runs keyboard shortcuts, media keys, clicks or applications
from mouse buttons and wheel directions, recognises gestures drawn with a
held button and rocker presses, scrolls by grabbing and dragging with a
throw, auto-scrolls from an anchor point and sets the pointer's
acceleration.

It reads the mice through evdev and writes through uinput; the udev rule
shipped here gives the user at the seat access to both (never to
keyboards). With interception-tools, `wexo --stdio` takes over one mouse in
a pipeline.")
# The libraries the program links, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "interception-tools")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
                                       ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
