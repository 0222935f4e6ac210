# The web build (Emscripten): clang has no -fexec-charset=CP932, so the
# compiler reads a copy of src/ and platform/ whose narrow literals are
# already code page 932 escapes (tools/cp932-literals). The copy is brought
# up to date at every configure, and a change to any source re-runs the
# configure; files whose copy did not change are not rewritten.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(HIREN_CODE_ROOT ${CMAKE_BINARY_DIR}/cp932)
set(HIREN_CHARSET_FLAGS)
file(GLOB_RECURSE HIREN_CODE_FILES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
     src/*.cpp src/*.h platform/*.cpp platform/*.h)
execute_process(COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/cp932-literals ${PROJECT_SOURCE_DIR}
                        ${HIREN_CODE_ROOT} ${HIREN_CODE_FILES}
                RESULT_VARIABLE converted)
if(NOT converted EQUAL 0)
  message(FATAL_ERROR "tools/cp932-literals failed")
endif()
list(TRANSFORM HIREN_CODE_FILES PREPEND ${PROJECT_SOURCE_DIR}/)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${HIREN_CODE_FILES}
             ${PROJECT_SOURCE_DIR}/tools/cp932-literals ${PROJECT_SOURCE_DIR}/tools/cxx_literals.py)
set(HIREN_TESTS OFF CACHE BOOL "" FORCE)
set(HIREN_BENCHMARKS OFF CACHE BOOL "" FORCE)
