# Installation as a desktop program (executable, menu entry, icons, software-centre data, sample
# logs) and the Debian package CPack builds from it. Tests and the examples' generator are
# developer tools and have no install rules.
include(GNUInstallDirs)

# Folders made by the install are 0755 whatever the builder's umask: Debian rejects a package
# with group-writable folders.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(VOK_APP_ID org.kelvane.vok) # the .desktop, metainfo and icon names must all agree on it

# Qt's libraries live in the system's own library folders: no search path of our own.
set_target_properties(kelvane-vok PROPERTIES INSTALL_RPATH "")
install(TARGETS kelvane-vok RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
# The desktop's menu entry, icon theme and software centre are freedesktop conventions.
if(UNIX AND NOT APPLE)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${VOK_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/${VOK_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 48)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icon-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${VOK_APP_ID}.png)
    endforeach()

    # Debian's documentation: the licence notice, the changelog, the manual page and the checker's
    # overrides. The changelog and the page are compressed without a name or date in the gzip
    # header, so that two builds give the same bytes.
    find_program(VOK_GZIP gzip REQUIRED)
    set(vok_docs ${PROJECT_BINARY_DIR}/packaging)
    set(vok_compressed)
    foreach(doc changelog kelvane-vok.1)
        add_custom_command(OUTPUT ${vok_docs}/${doc}.gz
            COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/${doc} ${vok_docs}/${doc}
            COMMAND ${VOK_GZIP} -9nf ${vok_docs}/${doc}
            DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${doc}
            VERBATIM)
        list(APPEND vok_compressed ${vok_docs}/${doc}.gz)
    endforeach()
    add_custom_target(vok-docs ALL DEPENDS ${vok_compressed})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${vok_docs}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvane-vok)
    install(FILES ${vok_docs}/kelvane-vok.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES
        ${PROJECT_SOURCE_DIR}/examples/day.log
        ${PROJECT_SOURCE_DIR}/examples/cold-store.log
        ${PROJECT_SOURCE_DIR}/examples/still-writing.log
        ${PROJECT_SOURCE_DIR}/examples/bad-record.log
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvane-vok/examples)

set(CPACK_PACKAGE_NAME kelvane-vok)
set(CPACK_PACKAGE_VENDOR "Kelvane")
# No public address yet: a placeholder on a reserved example domain.
set(CPACK_PACKAGE_CONTACT "Kelvane VOK developers <vok@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for temperature logs from a measuring device")
set(CPACK_PACKAGE_DESCRIPTION
    "Opens the flat logs of four-byte records that a temperature-measuring device\n\
writes and draws them as a trace on a fixed chart, with the reading under the\n\
pointer and a copy of the window image for the clipboard.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_STRIP_FILES ON)
# Library dependencies come from the binary itself (dpkg-shlibdeps). The window needs a Qt
# platform plugin, which Qt's libraries only recommend, and the captions need a Thai font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-thai-tlwg")
# In a Wayland session Qt uses its Wayland plugin when it is there and falls back to X11 (XWayland)
# when not, so X11-only systems need not install it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# Elsewhere a plain archive of the same files.
if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
else()
    set(CPACK_GENERATOR ZIP)
endif()
include(CPack)
