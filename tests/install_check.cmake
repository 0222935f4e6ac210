# cmake -DBUILD=<build dir> -DPREFIX=<scratch prefix> -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
    bin/hiren
    share/applications/net.hiren.Hiren.desktop
    share/metainfo/net.hiren.Hiren.metainfo.xml
    share/icons/hicolor/32x32/apps/net.hiren.Hiren.png
    share/icons/hicolor/16x16/apps/net.hiren.Hiren.png)
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(READ ${PREFIX}/share/icons/hicolor/32x32/apps/net.hiren.Hiren.png png HEX LIMIT 48)
if(NOT png MATCHES "^89504e470d0a1a0a0000000d4948445200000020000000200806")
  message(FATAL_ERROR "the 32 x 32 icon is not a 32 x 32 RGBA PNG")
endif()
execute_process(COMMAND desktop-file-validate ${PREFIX}/share/applications/net.hiren.Hiren.desktop
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the desktop entry does not validate")
endif()
execute_process(COMMAND appstreamcli validate --no-net ${PREFIX}/share/metainfo/net.hiren.Hiren.metainfo.xml
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the metainfo does not validate")
endif()
file(REMOVE_RECURSE ${PREFIX})
