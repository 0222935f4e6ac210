# The browser tests' page: the game as the web page has it, with the hooks
# of test_page.cpp, made in <web tree>/test-page (hiren.js, hiren.wasm,
# hiren.data). scripts/test-web configures the web tree with
# CMAKE_PROJECT_hiren_INCLUDE pointing here; the target is added once the
# tree has made the page's own, and copies its sources and settings.
function(hiren_add_test_page)
  get_target_property(sources hiren SOURCES)
  add_executable(hiren_test_page ${sources} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/test_page.cpp)
  foreach(property COMPILE_OPTIONS COMPILE_DEFINITIONS INCLUDE_DIRECTORIES LINK_LIBRARIES LINK_OPTIONS LINK_FLAGS
                   LINK_DEPENDS SUFFIX)
    get_target_property(value hiren ${property})
    if(value)
      set_property(TARGET hiren_test_page PROPERTY ${property} ${value})
    endif()
  endforeach()
  target_include_directories(hiren_test_page PRIVATE ${PROJECT_SOURCE_DIR}/bench)  # step_clock.h
  get_target_property(value hiren MANUALLY_ADDED_DEPENDENCIES)
  if(value)
    add_dependencies(hiren_test_page ${value})
  endif()
  set_target_properties(hiren_test_page PROPERTIES OUTPUT_NAME hiren RUNTIME_OUTPUT_DIRECTORY
                                                   ${CMAKE_BINARY_DIR}/test-page)
endfunction()

if(EMSCRIPTEN)
  cmake_language(DEFER CALL hiren_add_test_page)
endif()
