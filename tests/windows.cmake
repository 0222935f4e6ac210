# The Windows executables, cross-built by scripts/build-windows, run under
# wine64 when they exist: the conformance suite against the real Windows
# DLLs, the game's smoke test (starts, shows its window, exits with 0 when
# the window is closed), a short session played with scripted keys, and the
# game's pictures compared under a Western and the Japanese code page.
set(HIREN_WIN64_DIR ${PROJECT_SOURCE_DIR}/build-windows-x64)
if(EXISTS ${HIREN_WIN64_DIR}/hiren.exe)
  add_test(NAME wine.conformance
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run ${HIREN_WIN64_DIR}/tests/conformance_tests.exe)
  add_test(NAME wine.smoke COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-smoke ${HIREN_WIN64_DIR}/hiren.exe)
  add_test(NAME wine.play COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-play ${HIREN_WIN64_DIR}/hiren.exe)
  # Both executables carry their templates, icons and version block.
  add_test(NAME wine.resources
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run ${HIREN_WIN64_DIR}/tests/resource_check.exe
                   ${HIREN_WIN64_DIR}/hiren.exe ${PROJECT_SOURCE_DIR}/build-windows-x86/hiren.exe)
  add_test(NAME wine.codepages COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-codepages
                                       ${HIREN_WIN64_DIR}/tests/codepage_pictures.exe)
  set_tests_properties(wine.conformance wine.smoke wine.play wine.resources wine.codepages
                       PROPERTIES TIMEOUT 300 RUN_SERIAL ON LABELS wine)
endif()
