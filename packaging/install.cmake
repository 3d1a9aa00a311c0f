# Where `make install` and the Debian package put the programs and the files a
# desktop expects: menu entry, icons, MIME type, AppStream metadata, manual
# pages, bash completion and the notes in share/doc/veltramarlin.
include(GNUInstallDirs)

set(VM_APP_ID org.veltramarlin.VeltraMarlin)
set(VM_HOMEPAGE https://veltramarlin.example.org)
set(VM_LICENSE LicenseRef-proprietary)
set(VM_RELEASE_DATE 2026-12-07)
set(VM_DEB_VERSION ${PROJECT_VERSION}-1)
set(VM_MAINTAINER "VeltraMarlin developers <maintainers@veltramarlin.example.org>")
set(VM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/veltramarlin)

# Relocations read-only and resolved at start, as Debian builds its programs.
foreach(program veltramarlin veltramarlin-cli veltramarlin-sim)
  target_link_options(${program} PRIVATE -Wl,-z,relro,-z,now)
endforeach()
install(TARGETS veltramarlin veltramarlin-cli veltramarlin-sim
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(here ${CMAKE_CURRENT_LIST_DIR})
set(out ${CMAKE_BINARY_DIR}/packaging)
install(FILES ${here}/${VM_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${here}/veltramarlin-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME veltramarlin.xml)
install(FILES ${here}/icons/veltramarlin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${here}/icons/hicolor/${size}x${size}/veltramarlin.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${here}/bash-completion/veltramarlin-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(PROJECT_HOMEPAGE_URL ${VM_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VM_MAINTAINER})
configure_file(${here}/${VM_APP_ID}.metainfo.xml.in ${out}/${VM_APP_ID}.metainfo.xml @ONLY)
configure_file(${here}/debian/copyright ${out}/copyright @ONLY)
configure_file(${here}/debian/changelog ${out}/changelog.Debian @ONLY)
install(FILES ${out}/${VM_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${here}/debian/README.Debian ${out}/copyright DESTINATION ${VM_DOC_DIR})

# Manual pages and the changelog are installed compressed, as Debian expects.
set(compressed)
foreach(src docs/man/veltramarlin.1 docs/man/veltramarlin-cli.1 docs/man/veltramarlin-sim.1
        ${out}/changelog.Debian)
  get_filename_component(name ${src} NAME)
  get_filename_component(src ${src} ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
  add_custom_command(OUTPUT ${out}/${name}.gz
                     COMMAND gzip -9 -n -c ${src} > ${out}/${name}.gz
                     DEPENDS ${src} VERBATIM)
  list(APPEND compressed ${out}/${name}.gz)
endforeach()
add_custom_target(vm_install_files ALL DEPENDS ${compressed})
install(FILES ${out}/veltramarlin.1.gz ${out}/veltramarlin-cli.1.gz ${out}/veltramarlin-sim.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${out}/changelog.Debian.gz DESTINATION ${VM_DOC_DIR})
