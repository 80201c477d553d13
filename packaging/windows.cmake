# make package: a zip for Windows users that unpacks into one folder holding
# the program, the screensaver, and a README and the licence with Windows
# line endings.
set(windows_texts)
foreach(pair "packaging/windows/README.txt;README.txt" "LICENSE;LICENSE.txt")
  list(GET pair 0 source)
  list(GET pair 1 name)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/${source} -DOUT=${CMAKE_BINARY_DIR}/${name}
            -P ${PROJECT_SOURCE_DIR}/packaging/windows/crlf.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} ${PROJECT_SOURCE_DIR}/packaging/windows/crlf.cmake)
  list(APPEND windows_texts ${CMAKE_BINARY_DIR}/${name})
endforeach()
add_custom_target(windows-texts ALL DEPENDS ${windows_texts})

install(TARGETS fractal-tree RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/app/fractal-tree.scr ${windows_texts} DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "fractal-tree-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
