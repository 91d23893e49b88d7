# Installation where a Linux desktop finds the program: the executable in
# bin/, its two modules, its menu entry, its AppStream metadata and its
# icon at every size.
# The help is compiled into the program's resources.
include(GNUInstallDirs)

set(KYR_ID fr.kyr.kyrfact)
set(KYR_BUREAU ${PROJECT_SOURCE_DIR}/resources/bureau)
# Where the screenshots named in the AppStream metadata are published.
set(KYR_ADRESSE_CAPTURES "https://kyr.fr/kyrfact/captures" CACHE STRING
    "Web address of the screenshots named in the AppStream metadata")
set(KYR_DATE_VERSION "2026-12-08")
configure_file(${KYR_BUREAU}/${KYR_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${KYR_ID}.metainfo.xml @ONLY)

install(TARGETS kyrfact RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The Factur-X module and the one that draws a received PDF's pages, where the
# program looks for them: lib/kyrfact/modules beside bin.
install(TARGETS kyrfact_facturx kyrfact_pages
        LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/../lib/kyrfact/modules)
install(FILES ${KYR_BUREAU}/${KYR_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KYR_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KYR_BUREAU}/${KYR_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(COTE 16 32 48 64 128 256)
  install(FILES ${KYR_BUREAU}/icones/kyrfact-${COTE}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${COTE}x${COTE}/apps
          RENAME ${KYR_ID}.png)
endforeach()

include(${PROJECT_SOURCE_DIR}/cmake/paquet.cmake)
