# make web: a folder any static web server can publish: the page, the
# element <fractal-tree> that it shows (fractal-tree.mjs, which any page can
# import), the program, and the icon as the page's favicon; make package zips
# it.
set(FRACTAL_TREE_FAVICON "" CACHE FILEPATH "The program's icon as a PNG file, drawn by the native build")
if(NOT EXISTS "${FRACTAL_TREE_FAVICON}")
  message(FATAL_ERROR "FRACTAL_TREE_FAVICON must name a PNG icon that the native build's icon-files draws")
endif()
set(FRACTAL_TREE_WEB_DIR "${PROJECT_SOURCE_DIR}/build/web" CACHE PATH "Where make web writes the page")
set(page_sources index.html index.css fractal-tree.mjs)
list(TRANSFORM page_sources PREPEND ${PROJECT_SOURCE_DIR}/app/web/ OUTPUT_VARIABLE page_source_paths)
set(web_files ${FRACTAL_TREE_WEB_DIR}/index.html ${FRACTAL_TREE_WEB_DIR}/index.css ${FRACTAL_TREE_WEB_DIR}/fractal-tree.mjs
              ${FRACTAL_TREE_WEB_DIR}/fractal-tree.js ${FRACTAL_TREE_WEB_DIR}/fractal-tree.wasm
              ${FRACTAL_TREE_WEB_DIR}/favicon.png)
add_custom_command(
  OUTPUT ${web_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FRACTAL_TREE_WEB_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${page_source_paths} ${FRACTAL_TREE_WEB_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fractal-tree> ${FRACTAL_TREE_WEB_DIR}/fractal-tree.js
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE_DIR:fractal-tree>/fractal-tree.wasm ${FRACTAL_TREE_WEB_DIR}/fractal-tree.wasm
  COMMAND ${CMAKE_COMMAND} -E copy ${FRACTAL_TREE_FAVICON} ${FRACTAL_TREE_WEB_DIR}/favicon.png
  DEPENDS fractal-tree ${page_source_paths} ${FRACTAL_TREE_FAVICON})
add_custom_target(web ALL DEPENDS ${web_files})

# The element as an npm package, fractal-tree-VERSION.tgz, for pages built
# with npm; npm pack gives its files a fixed time.
set(npm_dir ${CMAKE_BINARY_DIR}/npm)
set(npm_package ${CMAKE_BINARY_DIR}/fractal-tree-${PROJECT_VERSION}.tgz)
configure_file(${PROJECT_SOURCE_DIR}/packaging/npm/package.json.in ${npm_dir}/package.json @ONLY)
add_custom_command(
  OUTPUT ${npm_package}
  COMMAND ${CMAKE_COMMAND} -E copy ${FRACTAL_TREE_WEB_DIR}/fractal-tree.mjs ${FRACTAL_TREE_WEB_DIR}/fractal-tree.js
          ${FRACTAL_TREE_WEB_DIR}/fractal-tree.wasm ${PROJECT_SOURCE_DIR}/packaging/npm/README.md
          ${PROJECT_SOURCE_DIR}/LICENSE ${npm_dir}
  COMMAND npm pack --silent --pack-destination ${CMAKE_BINARY_DIR} ${npm_dir} > /dev/null
  DEPENDS ${web_files} ${npm_dir}/package.json ${PROJECT_SOURCE_DIR}/packaging/npm/README.md)
add_custom_target(npm-package ALL DEPENDS ${npm_package})

install(FILES ${web_files} DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "fractal-tree-${PROJECT_VERSION}-web")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
