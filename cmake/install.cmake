# Installing the game: `cmake --install BUILD [--prefix PREFIX]` after a build.
#
#   PREFIX/bin/vuzed, PREFIX/bin/vuzed-tool
#   PREFIX/share/vuzed/data/     the content: the hand-written scripts and the
#                                settings template from data/, the generated
#                                pictures and sounds from <build>/data/
#   PREFIX/share/applications/vuzed.desktop
#   PREFIX/share/icons/hicolor/<size>x<size>/apps/vuzed.png
#
# The programs find their content as <their folder>/../share/vuzed, so these
# folders are fixed relative to the prefix. The installed information.ini is
# the template every player's own copy starts from: it comes from the source
# tree, never from <build>/data/, where a game played from the build directory
# keeps its records.
#
# `make package` (CPack) builds a Debian package of the same files under /usr.

install(TARGETS vuzed vuzed-tool RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION share/vuzed/data)
install(DIRECTORY ${CMAKE_BINARY_DIR}/data/Graphic ${CMAKE_BINARY_DIR}/data/Music DESTINATION share/vuzed/data)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/vuzed.desktop DESTINATION share/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vuzed)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "vuzed developers <vuzed@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertical-scrolling bullet-hell shooting game")
set(CPACK_PACKAGE_DESCRIPTION "Weave your ship through dense patterns of bullets and lasers, fight bosses\
 with named spell cards and read the dialogue between them. Four stages, an\
 extra stage and a further stage, all written in the game's own script\
 language; vuzed-tool runs stages headless for script authors.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the programs link are found by dpkg-shlibdeps. OpenGL is
# opened by libepoxy and SDL at run time (GLX on X11, EGL on Wayland and
# off-screen), so libgl1 and libegl1 are named here, as is the Japanese font
# the dialogue text is drawn with (found through fontconfig).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1, fonts-ipafont-gothic")
include(CPack)
