# The Windows program: one self-contained, stripped executable of the
# graphical subsystem, with the program's icon and version as resources.
set(FRACTAL_TREE_ICON "" CACHE FILEPATH "The program's icon as a Windows icon file, drawn by the native build")
if(NOT EXISTS "${FRACTAL_TREE_ICON}")
  message(FATAL_ERROR "FRACTAL_TREE_ICON must name the icon file that the native build's icon-files draws")
endif()
configure_file(fractal-tree.rc.in fractal-tree.rc @ONLY)
target_sources(fractal-tree PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/fractal-tree.rc)
set_target_properties(fractal-tree PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(fractal-tree PRIVATE -s)
set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/fractal-tree.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/fractal-tree.manifest)

# The same program as a screensaver: Windows runs NAME.scr with /s, /p or /c.
add_custom_command(TARGET fractal-tree POST_BUILD
                   COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fractal-tree> ${CMAKE_CURRENT_BINARY_DIR}/fractal-tree.scr)
