# cmake -DBUILD=<build dir> -DPREFIX=<scratch prefix> -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected
    bin/hiren
    share/applications/net.hiren.Hiren.desktop
    share/metainfo/net.hiren.Hiren.metainfo.xml)
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# Each icon size, as the PNG's header gives it: software centres want
# 64 x 64 at least.
foreach(size 16 32 64 128 256)
  set(icon share/icons/hicolor/${size}x${size}/apps/net.hiren.Hiren.png)
  if(NOT EXISTS ${PREFIX}/${icon})
    message(FATAL_ERROR "not installed: ${icon}")
  endif()
  # The signature, the IHDR chunk's length and type, width, height, depth
  # 8 and colour type 6 (RGBA).
  file(READ ${PREFIX}/${icon} png HEX LIMIT 26)
  string(LENGTH "${png}" length)
  if(length LESS 52)
    message(FATAL_ERROR "${icon} is not an RGBA PNG")
  endif()
  string(SUBSTRING "${png}" 0 32 head)
  string(SUBSTRING "${png}" 32 8 width)
  string(SUBSTRING "${png}" 40 8 height)
  string(SUBSTRING "${png}" 48 4 format)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT head STREQUAL "89504e470d0a1a0a0000000d49484452" OR NOT format STREQUAL "0806")
    message(FATAL_ERROR "${icon} is not an RGBA PNG")
  elseif(NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${icon} is ${width} x ${height}")
  endif()
endforeach()
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
