# Read by cpack once per generator.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /opt/kvor)
  set(CPACK_COMPONENTS_ALL program desktop)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  # The archive is the portable folder alone, in one folder named after the package.
  set(CPACK_PACKAGING_INSTALL_PREFIX /)
  set(CPACK_COMPONENTS_ALL program)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_ARCHIVE_FILE_NAME})
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
