# The Debian package zeb-tervio-setup_VERSION_ARCH.deb: everything the install rules put under
# /usr, its Depends computed by dpkg-shlibdeps from the programs' libraries. It has no
# maintainer scripts: the triggers of shared-mime-info, desktop-file-utils, hicolor-icon-theme
# and man-db refresh their caches, and udev reads a new rule at the next device event, so a
# controller plugged in after the install is reachable without root.
install(FILES copyright DESTINATION ${ZTV_DOC_DIR})

# Debian wants a changelog in the package's documentation; this version's entry is made from
# the release date the project states.
execute_process(COMMAND date -u -R -d "${ZTV_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE ZTV_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(changelog "${CMAKE_CURRENT_BINARY_DIR}/doc/changelog")
configure_file(changelog.in "${changelog}" @ONLY)
add_custom_command(OUTPUT "${changelog}.gz" COMMAND gzip -9nkf "${changelog}" DEPENDS "${changelog}" VERBATIM)
add_custom_target(ztv-package-changelog ALL DEPENDS "${changelog}.gz")
install(FILES "${changelog}.gz" DESTINATION ${ZTV_DOC_DIR})

# Two packages of one version are the same to the byte: cpack stamps every file, folder and
# archive member with SOURCE_DATE_EPOCH (the changelog's moment, unless the builder names
# another), writes them sorted, owned by root, in gzip streams without a time; the manuals and
# the changelog are compressed without one, and the program's resources carry no file dates.
execute_process(COMMAND date -u -d "${ZTV_RELEASE_DATE} 12:00" +%s
  OUTPUT_VARIABLE ZTV_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(cpack_release_time.cmake.in "${CMAKE_CURRENT_BINARY_DIR}/cpack_release_time.cmake" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_CURRENT_BINARY_DIR}/cpack_release_time.cmake")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZTV_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZTV_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup program of the ZEB TERVIO V4 in-car controller")
# Lines of at most 72 characters: package managers show them as they are.
set(CPACK_PACKAGE_DESCRIPTION
  "The ZEB TERVIO V4 sits in a car between the car's own controls and an
aftermarket head unit. ztv-setup reads its configuration over USB, shows
it on pages of parameters, events and reactions, sends every change
back, saves and opens *.ZTV configuration files, teaches steering-wheel
buttons, calibrates the touch panel, captures infrared codes, shows the
controller's debug text and CAN traffic, and updates its firmware.

ztv-tool does the same from a shell: it describes, compares and edits
configuration files, backs up and restores controllers, updates
firmware and logs CAN traffic.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(ZTV_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZTV_HOMEPAGE_URL}")
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its SVG icon engine, which draws the toolbar, as a plugin: no link shows it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install rules' absolute paths (the udev rule) land inside the package, and the cache
# refresh of a plain install sees DESTDIR and stays out of it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
