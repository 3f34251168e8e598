# What `cmake --install` puts where, by the GNU conventions: the programs (installed next to
# their targets), the desktop integration under the application id, the manual pages and the
# copyright and changelog. Included before the targets, so that they see the settings here.
include(GNUInstallDirs)

set(FOURK_APP_ID org.fourk.Fourk)

# Folders the install makes are 0755 whatever the umask, as a package's must be.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(fourkDesktop ${PROJECT_SOURCE_DIR}/app/desktop)
install(FILES ${fourkDesktop}/${FOURK_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${fourkDesktop}/${FOURK_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${fourkDesktop}/${FOURK_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${fourkDesktop}/${FOURK_APP_ID}.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Manual pages and the changelog go in compressed at the highest level and without a name or
# time stamp in the header, so that the same sources give the same bytes (as Debian wants).
find_program(FOURK_GZIP gzip)
if(NOT FOURK_GZIP)
    message(FATAL_ERROR "gzip is needed to compress the manual pages")
endif()
set(fourkCompressed)
function(fourk_compress source target)
    set(out ${PROJECT_BINARY_DIR}/compressed/${target})
    add_custom_command(OUTPUT ${out}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${out}
        COMMAND ${FOURK_GZIP} -9nf ${out}
        DEPENDS ${source}
        COMMENT "Compressing ${target}"
        VERBATIM)
    set(fourkCompressed ${fourkCompressed} ${out}.gz PARENT_SCOPE)
endfunction()
fourk_compress(${PROJECT_SOURCE_DIR}/docs/man/fourk.1 fourk.1)
fourk_compress(${PROJECT_SOURCE_DIR}/docs/man/fourk-export.1 fourk-export.1)
fourk_compress(${PROJECT_SOURCE_DIR}/docs/debian/changelog changelog)
add_custom_target(fourk_compressed ALL DEPENDS ${fourkCompressed})

install(FILES ${PROJECT_BINARY_DIR}/compressed/fourk.1.gz
    ${PROJECT_BINARY_DIR}/compressed/fourk-export.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# CMAKE_INSTALL_DOCDIR would be named after the project, "Fourk"; the package is "fourk".
install(FILES ${PROJECT_SOURCE_DIR}/docs/debian/copyright
    ${PROJECT_BINARY_DIR}/compressed/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/fourk)
