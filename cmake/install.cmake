# Installing on Linux: the program, its desktop entry, its icon in the
# hicolor theme (made at build time from icon group 101, the window's own
# icon, so the two never differ) and its AppStream metainfo.
include(GNUInstallDirs)

set(HIREN_APP_ID net.hiren.Hiren)
set(HIREN_LINUX_DIR ${PROJECT_SOURCE_DIR}/src/resources/linux)
set(HIREN_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

add_executable(ico2png tools/ico2png.cpp)
# Each installed size and the icon's image it is made from: above 32 the
# 32-pixel art scaled by whole pixels (AppStream wants 64 at least).
set(HIREN_ICON_IMAGES 16:16 32:32 64:32@2 128:32@4 256:32@8)
set(HIREN_ICON_SIZES)
set(HIREN_ICON_FILES)
set(HIREN_ICON_ARGS)
foreach(icon ${HIREN_ICON_IMAGES})
  string(REPLACE ":" ";" icon ${icon})
  list(GET icon 0 size)
  list(GET icon 1 image)
  list(APPEND HIREN_ICON_SIZES ${size})
  list(APPEND HIREN_ICON_FILES ${HIREN_ICON_DIR}/${size}.png)
  list(APPEND HIREN_ICON_ARGS ${image} ${HIREN_ICON_DIR}/${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${HIREN_ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${HIREN_ICON_DIR}
  COMMAND ico2png ${PROJECT_SOURCE_DIR}/src/resources/hiren101.ico ${HIREN_ICON_ARGS}
  DEPENDS ico2png ${PROJECT_SOURCE_DIR}/src/resources/hiren101.ico VERBATIM)
add_custom_target(hiren_icons ALL DEPENDS ${HIREN_ICON_FILES})

install(TARGETS hiren RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${HIREN_LINUX_DIR}/${HIREN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${HIREN_LINUX_DIR}/${HIREN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${HIREN_ICON_SIZES})
  install(FILES ${HIREN_ICON_DIR}/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${HIREN_APP_ID}.png)
endforeach()
