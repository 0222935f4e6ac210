# The page's faces. MapFamily (platform/src/text/face.cpp) gives the game's
# face names two families: "ＭＳ 明朝" (the screens) and "ＭＳ Ｐゴシック"
# (dialogs and menus). The page carries those two faces cut down to the
# characters the game can show (tools/subset-fonts), renamed as the IPA Font
# License Agreement asks of a derived font; with HIREN_WEB_ORIGINAL_FONTS, the
# four IPA faces as released instead. Either way a licence notice goes with
# them. Included by web_page.cmake, and by the tests for the face list.

# Each face: its file in the page, its family name, the IPA face it is made from.
set(HIREN_WEB_FACES "HirenMincho.ttf|Hiren Mincho|/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"
                    "HirenPGothic.ttf|Hiren PGothic|/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf")
set(HIREN_WEB_RELEASED_FACES
    /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf
    /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf)
# Debian's copyright file of the IPA fonts holds the licence's full text.
set(HIREN_FONT_COPYRIGHT /usr/share/doc/fonts-ipafont-mincho/copyright)
set(HIREN_SUBSET_FONTS ${CMAKE_CURRENT_LIST_DIR}/../tools/subset-fonts)
cmake_path(NORMAL_PATH HIREN_SUBSET_FONTS)

# A Python with fontTools (Debian's python3-fonttools) into `var`, or
# var-NOTFOUND: the system's Python has it where another python3 comes
# first in PATH.
function(hiren_font_python var)
  foreach(python ${Python3_EXECUTABLE} python3 /usr/bin/python3)
    execute_process(COMMAND ${python} -c "import fontTools.subset" RESULT_VARIABLE missing OUTPUT_QUIET ERROR_QUIET)
    if(missing EQUAL 0)
      set(${var} ${python} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${var} ${var}-NOTFOUND PARENT_SCOPE)
endfunction()

# hiren_web_fonts(TARGET FOLDER LICENCE): rules making the faces in FOLDER
# and the licence notice LICENCE (a copy goes in FOLDER too); TARGET's link
# waits for them and runs again when they change.
function(hiren_web_fonts target folder licence)
  option(HIREN_WEB_ORIGINAL_FONTS "Carry the IPA faces as released instead of the game's subsets" OFF)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(faces)
  set(notice)
  if(HIREN_WEB_ORIGINAL_FONTS)
    foreach(source ${HIREN_WEB_RELEASED_FACES})
      cmake_path(GET source FILENAME file)
      add_custom_command(OUTPUT ${folder}/${file} COMMAND ${CMAKE_COMMAND} -E copy ${source} ${folder}/${file}
                         DEPENDS ${source} VERBATIM)
      list(APPEND faces ${folder}/${file})
      list(APPEND notice ${file}=${file})
    endforeach()
  else()
    hiren_font_python(python)
    if(NOT python)
      message(FATAL_ERROR "No python3 with fontTools: install Debian's package python3-fonttools (scripts/setup web)")
    endif()
    # The characters first: a change to the sources that leaves them as
    # they were makes no new faces.
    set(chars ${CMAKE_BINARY_DIR}/fonts-chars.txt)
    set(root ${PROJECT_SOURCE_DIR})
    file(GLOB_RECURSE texts CONFIGURE_DEPENDS ${root}/src/*.cpp ${root}/src/*.h ${root}/platform/src/*.cpp
         ${root}/platform/src/*.h)
    add_custom_command(OUTPUT ${chars} COMMAND ${python} ${HIREN_SUBSET_FONTS} chars ${root} ${chars}
                       DEPENDS ${texts} ${root}/src/resources/hiren.rc ${HIREN_SUBSET_FONTS}
                               ${root}/tools/cxx_literals.py
                       COMMENT "Listing the characters the game shows" VERBATIM)
    foreach(face ${HIREN_WEB_FACES})
      string(REPLACE "|" ";" face "${face}")
      list(GET face 0 file)
      list(GET face 1 family)
      list(GET face 2 source)
      add_custom_command(OUTPUT ${folder}/${file}
                         COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                         COMMAND ${python} ${HIREN_SUBSET_FONTS} face ${chars} ${family} ${source} ${folder}/${file}
                         DEPENDS ${chars} ${source} ${HIREN_SUBSET_FONTS} COMMENT "Making ${file}" VERBATIM)
      list(APPEND faces ${folder}/${file})
      cmake_path(GET source FILENAME origin)
      list(APPEND notice ${file}=${origin})
    endforeach()
  endif()
  add_custom_command(OUTPUT ${licence} ${folder}/LICENSE.txt
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                     COMMAND ${Python3_EXECUTABLE} ${HIREN_SUBSET_FONTS} notice ${licence} ${HIREN_FONT_COPYRIGHT}
                             ${notice}
                     COMMAND ${CMAKE_COMMAND} -E copy ${licence} ${folder}/LICENSE.txt
                     DEPENDS ${HIREN_FONT_COPYRIGHT} ${HIREN_SUBSET_FONTS} COMMENT "Writing the fonts' licence notice"
                     VERBATIM)
  list(APPEND faces ${folder}/LICENSE.txt)

  # Files of the other choice, or of faces no longer made, leave the folder.
  file(GLOB present ${folder}/*)
  foreach(file ${present})
    if(NOT file IN_LIST faces)
      file(REMOVE ${file})
    endif()
  endforeach()
  add_custom_target(${target}_fonts DEPENDS ${faces} ${licence})
  add_dependencies(${target} ${target}_fonts)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${faces})
endfunction()
