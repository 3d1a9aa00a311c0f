# The icon, the manifest and the version information of the Windows programs.
# A program's target takes them with
#   vm_add_windows_resources(TARGET DESCRIPTION "what the program is")
# The icon is packed at build time from the PNG renderings of the program's SVG.
enable_language(RC)

set(VM_PUBLISHER "VeltraMarlin developers")
set(VM_PRODUCT_NAME_ZH "Veltra全站仪通讯")
set(VM_RES_SOURCE_DIR ${CMAKE_SOURCE_DIR}/win/resources)
set(VM_RES_BINARY_DIR ${CMAKE_BINARY_DIR}/win/resources)
foreach(part MAJOR MINOR PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    set(PROJECT_VERSION_${part} 0)
  endif()
endforeach()
set(VM_RES_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
set(VM_RES_VERSION4
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK}")

# Debian's python modules live with /usr/bin/python3, not with another python3 on PATH.
find_program(VM_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
set(VM_ICON ${VM_RES_BINARY_DIR}/veltramarlin.ico)
set(VM_ICON_PNGS)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND VM_ICON_PNGS ${CMAKE_SOURCE_DIR}/packaging/icons/hicolor/${size}x${size}/veltramarlin.png)
endforeach()
add_custom_command(
  OUTPUT ${VM_ICON}
  COMMAND ${VM_PYTHON3} ${VM_RES_SOURCE_DIR}/make_ico.py ${VM_ICON} ${VM_ICON_PNGS}
  DEPENDS ${VM_RES_SOURCE_DIR}/make_ico.py ${VM_ICON_PNGS}
  COMMENT "Packing the program icon")
add_custom_target(vm_windows_icon DEPENDS ${VM_ICON})

function(vm_add_windows_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "DESCRIPTION" "")
  set(VM_RES_NAME ${target})
  set(VM_RES_FILE ${target}.exe)
  set(VM_RES_DESCRIPTION ${ARG_DESCRIPTION})
  set(VM_RES_ICON ${VM_ICON})
  set(VM_RES_IDS ${VM_RES_SOURCE_DIR}/resource_ids.h)
  set(VM_RES_MANIFEST_FILE ${VM_RES_BINARY_DIR}/${target}.manifest)
  configure_file(${VM_RES_SOURCE_DIR}/veltramarlin.manifest.in ${VM_RES_MANIFEST_FILE} @ONLY)
  set(rc ${VM_RES_BINARY_DIR}/${target}.rc)
  configure_file(${VM_RES_SOURCE_DIR}/veltramarlin.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES
    OBJECT_DEPENDS "${VM_ICON};${VM_RES_MANIFEST_FILE};${VM_RES_IDS}")
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} vm_windows_icon)
endfunction()
