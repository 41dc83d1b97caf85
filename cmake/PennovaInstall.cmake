# Install rules (cmake --install build --prefix P) and the Debian packages (CPack).
# Two components, one package each:
#   client: Pennova and its updater, voc.dat, desktop entry, icons, AppStream metainfo;
#   server: pennova-server and pennova-cli, their data, systemd units, nginx files, man pages.
# Installed programs find their data relative to themselves (P/share/pennova[-server]).
include(GNUInstallDirs)

set(PENNOVA_APP_ID org.pennova.Pennova)

# The client.
install(TARGETS Pennova RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT client)
install(TARGETS update RUNTIME DESTINATION lib/pennova COMPONENT client)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/voc.dat DESTINATION ${CMAKE_INSTALL_DATADIR}/pennova COMPONENT client)
install(FILES deploy/desktop/${PENNOVA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT client)
install(FILES deploy/desktop/${PENNOVA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT client)
install(FILES resources/logo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${PENNOVA_APP_ID}.svg COMPONENT client)
foreach(size 16 24 32 48 64 128 256)
  install(FILES deploy/desktop/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${PENNOVA_APP_ID}.png COMPONENT client)
endforeach()

# The server and the command line.
install(TARGETS pennova-server pennova-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT server)
set(serverdata ${CMAKE_INSTALL_DATADIR}/pennova-server)
install(DIRECTORY server/checker/data/ DESTINATION ${serverdata}/checker COMPONENT server)
install(DIRECTORY server/dictionary/data/ DESTINATION ${serverdata}/dictionary COMPONENT server)
install(DIRECTORY server/templates/data/ DESTINATION ${serverdata}/templates COMPONENT server)
install(DIRECTORY server/assets/ DESTINATION ${serverdata}/assets COMPONENT server
        PATTERN "*.sh" EXCLUDE)
# pennova-cli's vocabulary statistics.
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/voc.dat DESTINATION ${serverdata} COMPONENT server)
install(FILES deploy/nginx/pennova-http.conf deploy/nginx/pennova-proxy.conf deploy/nginx/pennova-site.conf
        DESTINATION ${serverdata}/nginx COMPONENT server)
install(PROGRAMS deploy/nginx/pennova-upstreams.sh DESTINATION ${serverdata}/nginx COMPONENT server)

# systemd units name the installed program: the prefix is known only when installing
# (a package installs to /usr whatever the build was configured with).
install(CODE "
  set(PENNOVA_SERVER_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/pennova-server\")
  configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/deploy/systemd/pennova-server@.service\"
                 \"${CMAKE_BINARY_DIR}/deploy/pennova-server@.service\" @ONLY)
" COMPONENT server)
install(FILES ${CMAKE_BINARY_DIR}/deploy/pennova-server@.service deploy/systemd/pennova-server.target
        DESTINATION lib/systemd/system COMPONENT server)
# /etc/default for the prefix /usr (a package), PREFIX/etc/default otherwise (file(INSTALL)
# puts DESTDIR in front of either).
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(etc /etc/default)
  else()
    set(etc \"\${CMAKE_INSTALL_PREFIX}/etc/default\")
  endif()
  file(INSTALL \"${CMAKE_CURRENT_SOURCE_DIR}/deploy/systemd/pennova-server.default\"
       DESTINATION \"\${etc}\" RENAME pennova-server)
" COMPONENT server)

# Man pages, compressed as Debian wants them.
foreach(page Pennova.1 pennova-server.1 pennova-cli.1)
  set(out ${CMAKE_BINARY_DIR}/deploy/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/deploy/man
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${CMAKE_CURRENT_SOURCE_DIR}/deploy/man/${page} ${out}
    DEPENDS deploy/man/${page} VERBATIM)
  list(APPEND manpages ${out})
endforeach()
add_custom_target(manpages ALL DEPENDS ${manpages})
list(GET manpages 0 clientpage)
list(REMOVE_AT manpages 0)
install(FILES ${clientpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT client)
install(FILES ${manpages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT server)

# Copyright and change log of each package.
foreach(component client server)
  set(package pennova)
  if(component STREQUAL "server")
    set(package pennova-server)
  endif()
  set(changelog ${CMAKE_BINARY_DIR}/deploy/${package}/changelog.Debian.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/deploy/${package}
    COMMAND sh -c "sed -e \"s/@PACKAGE@/$1/\" -e \"s/@VERSION@/$2/\" \"$3\" | gzip -9n > \"$4\""
            changelog ${package} ${PROJECT_VERSION} ${CMAKE_CURRENT_SOURCE_DIR}/deploy/debian/changelog ${changelog}
    DEPENDS deploy/debian/changelog VERBATIM)
  add_custom_target(changelog-${package} ALL DEPENDS ${changelog})
  install(FILES ${changelog} deploy/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component})
endforeach()

# Debian packages: bash scripts/package.sh
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pennova)
set(CPACK_PACKAGE_VENDOR "Pennova")
set(CPACK_PACKAGE_CONTACT "Pennova developers <dev@pennova.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL client server)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://pennova.invalid/")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_CLIENT_PACKAGE_NAME pennova)
set(CPACK_DEBIAN_CLIENT_PACKAGE_SECTION education)
# Plugins Qt loads at run time, which the library scan cannot see.
set(CPACK_DEBIAN_CLIENT_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_CLIENT_PACKAGE_RECOMMENDS "libreoffice-writer-nogui | libreoffice-writer")
set(CPACK_COMPONENT_CLIENT_DESCRIPTION "English writing assistant for Chinese-speaking students
Pennova checks an English essay for spelling, grammar and style, underlines
each finding with its correction and explains it in Chinese. It proposes
richer vocabulary, scores the essay, and offers a dictionary, a writing guide
with essay templates, and Word documents. It talks to a pennova-server, on
this machine or a school's.")
set(CPACK_DEBIAN_SERVER_PACKAGE_NAME pennova-server)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION education)
set(CPACK_DEBIAN_SERVER_PACKAGE_DEPENDS
    "adduser, hunspell-en-us, hunspell-en-gb, hunspell-en-med, wamerican-huge, wbritish-huge, wordnet-base, python3-jieba, espeak-ng, lame")
set(CPACK_DEBIAN_SERVER_PACKAGE_SUGGESTS "nginx, postgresql, libreoffice-writer-nogui")
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/deploy/debian/server/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/deploy/debian/server/prerm
    ${CMAKE_CURRENT_SOURCE_DIR}/deploy/debian/server/postrm
    ${CMAKE_CURRENT_SOURCE_DIR}/deploy/debian/server/conffiles)
set(CPACK_DEBIAN_SERVER_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_COMPONENT_SERVER_DESCRIPTION "services of the Pennova writing assistant
pennova-server answers every service the Pennova client uses: accounts,
English checking and polishing, explanations, dictionary pages, word lists,
writing templates and update files. It keeps its data in SQLite or a shared
PostgreSQL database. The package also holds pennova-cli, which splits and
checks essays from the command line.")
include(CPack)
