# The Debian package: `cpack` in the build folder (./build.sh package) writes
# zevo_<version>-1~deb<release>_<arch>.deb. Everything in it comes from the
# install rules; this file adds what Debian expects beside them (compressed
# manuals, the changelog and copyright under share/doc) and the control fields.

set(zevo_dist ${PROJECT_SOURCE_DIR}/dist)
set(zevo_packed ${PROJECT_BINARY_DIR}/packed)

# A package is built for the release it is built on: its library dependencies
# have other names on another release (libxlsxwriter4 on Debian 12,
# libxlsxwriter8 on 13), so the version names the release, as Debian's own
# backports do, and the two files cannot be mistaken for each other.
set(zevo_os_number "")
set(zevo_os_codename unstable)
if(EXISTS /etc/os-release)
    file(STRINGS /etc/os-release zevo_os_lines)
    foreach(line IN LISTS zevo_os_lines)
        if(line MATCHES "^VERSION_ID=\"?([0-9]+)")
            set(zevo_os_number ${CMAKE_MATCH_1})
        elseif(line MATCHES "^VERSION_CODENAME=\"?([a-z]+)")
            set(zevo_os_codename ${CMAKE_MATCH_1})
        endif()
    endforeach()
endif()
set(zevo_deb_revision 1)
if(zevo_os_number)
    string(APPEND zevo_deb_revision "~deb${zevo_os_number}")
endif()
set(zevo_deb_version ${PROJECT_VERSION}-${zevo_deb_revision})

# Manuals and the changelog go in compressed, without a time stamp (gzip -n),
# so two builds of the same sources give the same package.
set(zevo_packed_files)
foreach(pair
        "man/zevo.1|man/man1/zevo.1.gz"
        "man/zevo-run.1|man/man1/zevo-run.1.gz"
        "man/de/zevo.1|man/de/man1/zevo.1.gz"
        "man/de/zevo-run.1|man/de/man1/zevo-run.1.gz"
        "man/zevo-pruefen.1|man/man1/zevo-pruefen.1.gz"
        "man/de/zevo-pruefen.1|man/de/man1/zevo-pruefen.1.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    get_filename_component(folder ${zevo_packed}/${target} DIRECTORY)
    add_custom_command(OUTPUT ${zevo_packed}/${target}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND sh -c "gzip -9nc \"$0\" > \"$1\"" ${zevo_dist}/${source} ${zevo_packed}/${target}
        DEPENDS ${zevo_dist}/${source}
        VERBATIM)
    list(APPEND zevo_packed_files ${zevo_packed}/${target})
endforeach()
# A package with a Debian revision keeps its changelog as changelog.Debian.gz,
# whose newest entry names the package's own version and release.
add_custom_command(OUTPUT ${zevo_packed}/doc/changelog.Debian.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${zevo_packed}/doc
    COMMAND sh -c "sed \"$2\" \"$0\" | gzip -9n > \"$1\""
        ${zevo_dist}/changelog ${zevo_packed}/doc/changelog.Debian.gz
        "1s/^zevo ([^)]*) [^;]*;/zevo (${zevo_deb_version}) ${zevo_os_codename};/"
    DEPENDS ${zevo_dist}/changelog
    VERBATIM)
list(APPEND zevo_packed_files ${zevo_packed}/doc/changelog.Debian.gz)
add_custom_target(zevo_packed_files ALL DEPENDS ${zevo_packed_files})

install(DIRECTORY ${zevo_packed}/man/ DESTINATION ${CMAKE_INSTALL_MANDIR})
install(FILES ${zevo_packed}/doc/changelog.Debian.gz ${zevo_dist}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zevo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zevo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${zevo_deb_revision})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Register machine simulator for teaching")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${zevo_dist}/description.txt)
set(ZEVO_PACKAGE_MAINTAINER "Zevo-Team <zevo@example.org>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZEVO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found by no library scan: Qt's window-system plugins and the font the
# windows are laid out for. German texts in Qt's own dialogs are welcome.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
