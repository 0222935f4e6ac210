# The web page: hiren.js and hiren.wasm from the game, the faces in
# hiren.data (web_fonts.cmake), and index.html from src/resources/web.
# ASYNCIFY lets the game's loops and Sleep wait as they do on a desktop:
# where the program waits, the browser gets the thread back. The program's
# data starts at 64 KiB: as on Windows no pointer is below that, where
# MAKEINTRESOURCE numbers live (a class name there would read as an atom).
include(${CMAKE_CURRENT_LIST_DIR}/web_fonts.cmake)
set(HIREN_WEB_FONTS ${CMAKE_BINARY_DIR}/fonts)
hiren_web_fonts(hiren ${HIREN_WEB_FONTS} ${CMAKE_BINARY_DIR}/fonts-LICENSE.txt)
target_link_options(hiren PRIVATE -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sGLOBAL_BASE=65536 -sALLOW_MEMORY_GROWTH=1
                    -sENVIRONMENT=web -sEXIT_RUNTIME=1
                    --preload-file ${HIREN_WEB_FONTS}@/fonts)
set_target_properties(hiren PROPERTIES SUFFIX .js)
