# Installing on Linux: the program, its desktop entry, its icon in the
# hicolor theme (made at build time from icon group 101, the window's own
# icon, so the two never differ) and its AppStream metainfo.
include(GNUInstallDirs)

set(HIREN_APP_ID net.hiren.Hiren)
set(HIREN_LINUX_DIR ${PROJECT_SOURCE_DIR}/src/resources/linux)
set(HIREN_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

add_executable(ico2png tools/ico2png.cpp)
add_custom_command(
  OUTPUT ${HIREN_ICON_DIR}/32.png ${HIREN_ICON_DIR}/16.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HIREN_ICON_DIR}
  COMMAND ico2png ${PROJECT_SOURCE_DIR}/src/resources/hiren101.ico 32 ${HIREN_ICON_DIR}/32.png
          16 ${HIREN_ICON_DIR}/16.png
  DEPENDS ico2png ${PROJECT_SOURCE_DIR}/src/resources/hiren101.ico VERBATIM)
add_custom_target(hiren_icons ALL DEPENDS ${HIREN_ICON_DIR}/32.png ${HIREN_ICON_DIR}/16.png)

install(TARGETS hiren RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${HIREN_LINUX_DIR}/${HIREN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HIREN_LINUX_DIR}/${HIREN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 16)
  install(FILES ${HIREN_ICON_DIR}/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${HIREN_APP_ID}.png)
endforeach()
