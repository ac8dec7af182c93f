# The Windows resources of a program: the manifest (per-monitor DPI, common controls, long paths,
# run as the user), a version resource from the project version and, when ZTV_WINDOWS_ICON names
# one, the icon drawn from the project's SVG.
set(ZTV_WINDOWS_ICON "" CACHE FILEPATH "The .ico file the Windows programs carry (made by scripts/build-windows.sh)")

function(ztv_windows_resources target description)
  set(ZTV_RC_NAME ${target})
  set(ZTV_RC_DESCRIPTION "${description}")
  set(ZTV_RC_MANIFEST "${PROJECT_SOURCE_DIR}/packaging/windows/ztv.manifest")
  # "10.05" is version 10, minor 5.
  math(EXPR ZTV_RC_MINOR "${PROJECT_VERSION_MINOR}")
  if(ZTV_WINDOWS_ICON)
    set(ZTV_RC_ICON_LINE "1 ICON \"${ZTV_WINDOWS_ICON}\"")
  else()
    set(ZTV_RC_ICON_LINE "")
  endif()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
  set_property(SOURCE "${rc}" APPEND PROPERTY OBJECT_DEPENDS "${ZTV_RC_MANIFEST}" ${ZTV_WINDOWS_ICON})
endfunction()
