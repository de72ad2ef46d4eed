# Shipping: `cmake --install` lays out a portable program folder (the programs,
# DATA and an example TitleRep.txt side by side); CPack makes a .deb that puts
# that folder in /opt/kvor and adds the desktop entry, icons, MIME type,
# AppStream data, /usr/bin/kvor-cli and its manual page, and a .tar.gz of the
# portable folder.

set(KVOR_APP_ID example.nivra.Kvor)
# cpack packages what is built and builds nothing itself: the package test runs
# while other tests use the binaries, and `make package` builds first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(_pkg ${CMAKE_SOURCE_DIR}/packaging)

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /opt/kvor CACHE PATH "Install folder (the program folder itself)" FORCE)
endif()

# The program folder, relative to the prefix.
install(TARGETS kvor kvor-cli RUNTIME DESTINATION . COMPONENT program)
install(DIRECTORY ${CMAKE_BINARY_DIR}/shipped/DATA DESTINATION . COMPONENT program)
install(FILES ${_pkg}/TitleRep.txt DESTINATION . COMPONENT program)

# Desktop integration lives in the system's folders, so only the .deb carries
# it; a plain install leaves them out (`cmake --install … --component desktop` adds them).
install(FILES ${_pkg}/${KVOR_APP_ID}.desktop DESTINATION /usr/share/applications
        COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${_pkg}/kvor-mime.xml DESTINATION /usr/share/mime/packages RENAME ${KVOR_APP_ID}.xml
        COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${_pkg}/${KVOR_APP_ID}.metainfo.xml DESTINATION /usr/share/metainfo
        COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${_pkg}/icons/kvor.svg DESTINATION /usr/share/icons/hicolor/scalable/apps
        RENAME ${KVOR_APP_ID}.svg COMPONENT desktop EXCLUDE_FROM_ALL)
foreach(_size 16 32 48 64 128 256)
  install(FILES ${_pkg}/icons/kvor-${_size}.png DESTINATION /usr/share/icons/hicolor/${_size}x${_size}/apps
          RENAME ${KVOR_APP_ID}.png COMPONENT desktop EXCLUDE_FROM_ALL)
endforeach()

# kvor-cli on the PATH and its manual page, in the .deb only like the rest of
# the system's folders (the portable folder keeps to itself).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
set(_cli_link ${CMAKE_BINARY_DIR}/packaging/kvor-cli)
file(CREATE_LINK /opt/kvor/kvor-cli ${_cli_link} SYMBOLIC)
install(FILES ${_cli_link} DESTINATION /usr/bin COMPONENT desktop EXCLUDE_FROM_ALL)
# Compressed when packaged, so the page is never older than its source.
set(_man_page ${CMAKE_BINARY_DIR}/packaging/kvor-cli.1.gz)
install(CODE "execute_process(COMMAND gzip -9 -n -c \"${_pkg}/kvor-cli.1\" OUTPUT_FILE \"${_man_page}\"
                              RESULT_VARIABLE _gzip)
              if(NOT _gzip EQUAL 0)
                message(FATAL_ERROR \"gzip of the manual page failed\")
              endif()"
        COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES ${_man_page} DESTINATION /usr/share/man/man1 COMPONENT desktop EXCLUDE_FROM_ALL)

set(CPACK_PACKAGE_NAME kvor)
set(CPACK_PACKAGE_VENDOR Nivra)
set(CPACK_PACKAGE_CONTACT "Nivra <info@nivra.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Heat load of a cold room and choice of refrigeration equipment")
set(CPACK_PACKAGE_DESCRIPTION "Kvor computes the heat balance of a refrigerated chamber (nine heat gains \
and the required cooling capacity), picks matching refrigeration systems from an equipment catalogue \
and prints a calculation report and an equipment list.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://nivra.example/)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 0)
set(CPACK_COMPONENTS_ALL program desktop)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_PACKAGE_NAME kvor)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The packages that hold what `ldd kvor` lists (dpkg -S), the platform plugin
# Qt loads at run time, Qt's own translations (the standard dialogs in Ukrainian)
# and the fonts fontconfig finds for Arial.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libgcc-s1, libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6charts6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6opengl6 (>= 6.4), libqt6openglwidgets6 (>= 6.4), qt6-qpa-plugins (>= 6.4), qt6-translations-l10n, fonts-liberation")

# One archive, the portable folder; the .deb puts it in /opt/kvor.
set(CPACK_ARCHIVE_FILE_NAME kvor-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_PROJECT_CONFIG_FILE ${_pkg}/cpack-generators.cmake)

include(CPack)
