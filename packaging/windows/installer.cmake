# The Windows installer (NSIS) and the portable .zip of the programs, made
# with every build of the Windows programs into dist/:
#   veltramarlin-VERSION-setup.exe   veltramarlin-VERSION-windows-x64.zip
# The desktop program goes in when this build has it.
find_program(VM_MAKENSIS makensis)
set(VM_DIST ${CMAKE_BINARY_DIR}/dist)
set(VM_PORTABLE_NAME veltramarlin-${PROJECT_VERSION}-windows-x64)
set(VM_INSTALLER ${VM_DIST}/veltramarlin-${PROJECT_VERSION}-setup.exe)
set(VM_PORTABLE_ZIP ${VM_DIST}/${VM_PORTABLE_NAME}.zip)
set(VM_DIST_TARGETS veltramarlin-cli)
set(VM_NSIS_DEFINES -DCLI_EXE=$<TARGET_FILE:veltramarlin-cli>)
if(TARGET veltramarlin)
  list(APPEND VM_DIST_TARGETS veltramarlin)
  list(APPEND VM_NSIS_DEFINES -DDESKTOP_EXE=$<TARGET_FILE:veltramarlin>)
endif()
set(VM_DIST_FILES)
foreach(target ${VM_DIST_TARGETS})
  list(APPEND VM_DIST_FILES $<TARGET_FILE:${target}>)
endforeach()

# The .zip holds one folder with the programs, so unpacking it makes no mess.
set(stage ${VM_DIST}/${VM_PORTABLE_NAME})
add_custom_command(
  OUTPUT ${VM_PORTABLE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${VM_PORTABLE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${VM_DIST_FILES} ${stage}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${VM_PORTABLE_ZIP} --format=zip ${VM_PORTABLE_NAME}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  WORKING_DIRECTORY ${VM_DIST}
  DEPENDS ${VM_DIST_TARGETS}
  COMMENT "Packing ${VM_PORTABLE_NAME}.zip"
  VERBATIM)
set(VM_DIST_OUTPUTS ${VM_PORTABLE_ZIP})

if(VM_MAKENSIS)
  set(script ${CMAKE_SOURCE_DIR}/packaging/windows/veltramarlin.nsi)
  add_custom_command(
    OUTPUT ${VM_INSTALLER}
    COMMAND ${VM_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
            -DVERSION4=${VM_RES_VERSION4} -DPUBLISHER=${VM_PUBLISHER} -DICON=${VM_ICON}
            ${VM_NSIS_DEFINES} -DOUTFILE=${VM_INSTALLER} ${script}
    DEPENDS ${VM_DIST_TARGETS} ${script} ${VM_ICON}
    COMMENT "Making the installer veltramarlin-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  list(APPEND VM_DIST_OUTPUTS ${VM_INSTALLER})
else()
  message(STATUS "makensis not found: no Windows installer (install Debian's nsis)")
endif()
add_custom_target(windows-dist ALL DEPENDS ${VM_DIST_OUTPUTS})
