# Installation into /usr and the Debian package built from it by "cpack -G DEB" in the build folder.
# The programs find their language catalogues in ../share/ruvenset/lang beside their own folder, so the
# installed tree works the way the build tree does.
include(GNUInstallDirs)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/ruvenset)
# Packaging installs what the build made; it does not start a build of everything on its own.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS ruvenset grafmira ruvenset-cli fcsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${lang_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/ruvenset/lang)
install(FILES ${packaging}/org.ruvenset.Ruvenset.desktop ${packaging}/org.ruvenset.Grafmira.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/ruvenset.svg ${packaging}/grafmira.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/grafmira-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME org.ruvenset.Grafmira.xml)
install(FILES ${packaging}/org.ruvenset.Ruvenset.metainfo.xml ${packaging}/org.ruvenset.Grafmira.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/copyright DESTINATION ${docdir})
# The technician's guide with its pictures, as the build rendered it.
install(DIRECTORY ${PROJECT_BINARY_DIR}/guide/ DESTINATION ${docdir}/guide)

# Manual pages and the changelog go in compressed without time stamps, as Debian wants them.
set(compressed)
foreach(page ruvenset grafmira ruvenset-cli fcsim)
  list(APPEND compressed ${page}.1)
endforeach()
set(compressed_files)
foreach(name IN LISTS compressed ITEMS changelog)
  if(name STREQUAL "changelog")
    set(source ${packaging}/changelog)
  else()
    set(source ${packaging}/man/${name})
  endif()
  set(target ${PROJECT_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND gzip -9nc ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed_files ${target})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${compressed_files})
list(FILTER compressed_files INCLUDE REGEX "\\.1\\.gz$")
install(FILES ${compressed_files} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ruvenset)
set(CPACK_PACKAGE_VENDOR "Ruvenset developers")
set(CPACK_PACKAGE_CONTACT "Ruvenset developers <maintainers@ruvenset.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service tool for gas flow computers")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Ruvenset connects to an electronic gas flow computer (volume corrector)\n"
  "through a serial port, an RS-485 adapter or a half-duplex modem, identifies\n"
  "it, verifies and calibrates its measuring channels and keeps their\n"
  "calibrations in files. Grafmira plots the readings recorded while verifying,\n"
  "ruvenset-cli runs the procedures without windows and fcsim simulates a flow\n"
  "computer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
