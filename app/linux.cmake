# The icons in the sizes desktops ask for, drawn by the program's own code;
# and the Windows icon file, which the Windows build embeds.
set(icon_sizes 16 24 32 48 64 128 256)
set(windows_icon_sizes 16 24 32 48 256)
add_executable(icon-files icon_files.cpp)
target_link_libraries(icon-files PRIVATE app runtime_png)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
list(TRANSFORM icon_sizes APPEND ".png" OUTPUT_VARIABLE icon_names)
list(TRANSFORM icon_names PREPEND "${icon_dir}/" OUTPUT_VARIABLE icon_files)
add_custom_command(
  OUTPUT ${icon_files} ${icon_dir}/fractal-tree.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  COMMAND icon-files ${icon_dir} ${icon_sizes}
  COMMAND icon-files ${icon_dir}/fractal-tree.ico ${windows_icon_sizes}
  DEPENDS icon-files
  COMMENT "Drawing the icons")
add_custom_target(icons ALL DEPENDS ${icon_files} ${icon_dir}/fractal-tree.ico)

# The README's animated picture, drawn by the window's own tick; the copy in
# docs/ must be what the build draws.
find_package(GIF REQUIRED)
add_executable(tree-gif tree_gif.cpp)
target_link_libraries(tree-gif PRIVATE app GIF::GIF)
add_custom_command(
  OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/tree.gif
  COMMAND tree-gif ${CMAKE_CURRENT_BINARY_DIR}/tree.gif
  DEPENDS tree-gif
  COMMENT "Drawing the animated picture")
add_custom_target(animation ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/tree.gif)
add_test(NAME ReadmeAnimationIsTheOneTheBuildDraws
         COMMAND ${CMAKE_COMMAND} -E compare_files ${CMAKE_CURRENT_BINARY_DIR}/tree.gif ${PROJECT_SOURCE_DIR}/docs/tree.gif)

include(GNUInstallDirs)
install(TARGETS fractal-tree RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES fractal-tree.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS icon_sizes)
  install(FILES ${icon_dir}/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME fractal-tree.png)
endforeach()

add_test(NAME DesktopEntryIsValid
         COMMAND sh -c "command -v desktop-file-validate >/dev/null || { echo 'desktop-file-validate is not installed'; exit 77; }; desktop-file-validate '${CMAKE_CURRENT_SOURCE_DIR}/fractal-tree.desktop'")
set_tests_properties(DesktopEntryIsValid PROPERTIES SKIP_RETURN_CODE 77)

# The real program in real windows, X11 and Wayland.
fractal_tree_tests(window_test window_test.cpp)
target_link_libraries(window_test PRIVATE tree runtime X11::X11 X11::Xdamage SDL2_image::SDL2_image)
target_compile_definitions(window_test PRIVATE FRACTAL_TREE_PROGRAM="$<TARGET_FILE:fractal-tree>")
add_dependencies(window_test fractal-tree)

fractal_tree_tests(wayland_test wayland_test.cpp)
target_link_libraries(wayland_test PRIVATE runtime_png)
target_compile_definitions(wayland_test PRIVATE FRACTAL_TREE_PROGRAM="$<TARGET_FILE:fractal-tree>")
add_dependencies(wayland_test fractal-tree)

# Long checks, run by `make check` only.
add_executable(memory_test memory_test.cpp)
target_link_libraries(memory_test PRIVATE runtime X11::X11 X11::Xdamage GTest::gtest_main)
target_compile_definitions(memory_test PRIVATE FRACTAL_TREE_PROGRAM="$<TARGET_FILE:fractal-tree>"
                                               FRACTAL_TREE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(memory_test fractal-tree)
gtest_discover_tests(memory_test WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES LABELS long TIMEOUT 300)
