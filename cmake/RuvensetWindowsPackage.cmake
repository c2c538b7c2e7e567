# The Windows zip of the command-line program, made by "cpack -G ZIP" in build-windows/: ruvenset-cli.exe
# (its runtime linked in) with its language catalogues in lang\ beside it and a README for Windows users.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS ruvenset-cli RUNTIME DESTINATION .)
install(FILES ${lang_files} DESTINATION lang)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ruvenset-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
