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

# The installer, fractal-tree-VERSION-win64.msi. Its upgrade code stays the
# same across versions; its product and package codes follow from the
# version, so that the same sources build the same installer.
set(MSI_UPGRADE_CODE 8e3c1d0a-4b7f-4e59-9a56-2f0d3c6b7a11)
string(UUID MSI_PRODUCT_CODE NAMESPACE ${MSI_UPGRADE_CODE} NAME "product ${PROJECT_VERSION}" TYPE SHA1 UPPER)
string(UUID msi_package_code NAMESPACE ${MSI_UPGRADE_CODE} NAME "package ${PROJECT_VERSION}" TYPE SHA1 UPPER)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/fractal-tree.wxs.in fractal-tree.wxs @ONLY)
set(msi_stage ${CMAKE_BINARY_DIR}/msi)
set(msi ${CMAKE_BINARY_DIR}/fractal-tree-${PROJECT_VERSION}-win64.msi)
add_custom_command(
  OUTPUT ${msi}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${msi_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${msi_stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fractal-tree> ${CMAKE_BINARY_DIR}/app/fractal-tree.scr
          ${windows_texts} ${FRACTAL_TREE_ICON} ${msi_stage}
  COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/msi.sh ${msi_stage} ${CMAKE_BINARY_DIR}/fractal-tree.wxs ${msi}
          ${msi_package_code}
  DEPENDS fractal-tree windows-texts ${CMAKE_BINARY_DIR}/fractal-tree.wxs ${PROJECT_SOURCE_DIR}/packaging/windows/msi.sh
  COMMENT "Building the Windows installer")
add_custom_target(installer ALL DEPENDS ${msi})

install(TARGETS fractal-tree RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/app/fractal-tree.scr ${windows_texts} DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "fractal-tree-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
