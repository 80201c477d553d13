# The program and its desktop entry, as a Linux desktop installs them; the
# icons come from tools/.
include(GNUInstallDirs)
install(TARGETS fractal-tree RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES org.example.fractaltree.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

add_test(NAME DesktopEntryIsValid
         COMMAND sh -c "command -v desktop-file-validate >/dev/null || { echo 'desktop-file-validate is not installed'; exit 77; }; desktop-file-validate '${CMAKE_CURRENT_SOURCE_DIR}/org.example.fractaltree.desktop'")
set_tests_properties(DesktopEntryIsValid PROPERTIES SKIP_RETURN_CODE 77)
