# The Debian package, built with `cpack -G DEB` in the build folder (see
# scripts/paquet.sh): kyrfact_<version>_<arch>.deb, installing under /usr.
set(KYR_MAINTENEUR "Kyr Facture <facturation@kyr.fr>" CACHE STRING
    "Maintainer named in the Debian package")

# What Debian asks of every package: its copyright, its changelog and a manual page.
set(KYR_DOC ${CMAKE_INSTALL_DATADIR}/doc/kyrfact)
string(TIMESTAMP KYR_DATE_PAQUET "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/paquet/changelog
     "kyrfact (${PROJECT_VERSION}) unstable; urgency=low\n\n"
     "  * Version ${PROJECT_VERSION}.\n\n"
     " -- ${KYR_MAINTENEUR}  ${KYR_DATE_PAQUET}\n")
find_program(KYR_GZIP gzip)
if(KYR_GZIP)
  execute_process(COMMAND ${KYR_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/paquet/changelog)
  configure_file(${PROJECT_SOURCE_DIR}/resources/paquet/kyrfact.1
                 ${CMAKE_CURRENT_BINARY_DIR}/paquet/kyrfact.1 COPYONLY)
  execute_process(COMMAND ${KYR_GZIP} -9nf ${CMAKE_CURRENT_BINARY_DIR}/paquet/kyrfact.1)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/paquet/changelog.gz DESTINATION ${KYR_DOC})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/paquet/kyrfact.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/resources/paquet/copyright DESTINATION ${KYR_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kyrfact)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kyr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "invoicing for a small French business")
set(CPACK_PACKAGE_DESCRIPTION
    "Kyr Facture keeps the invoice book of a small French business: invoices,\n"
    "quotes and credit notes, the client file, the company heading and a glossary\n"
    "of abbreviations. It computes VAT at three rates and the totals in francs or\n"
    "euros, prints invoices and envelopes, saves them as PDF or as Factur-X\n"
    "electronic invoices, and keeps the sales journal. Its interface is French.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KYR_MAINTENEUR})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries it links are found by dpkg-shlibdeps; what it loads or uses
# at run time is named here: Qt's platform plugins (the window system), the
# font standing for Arial, Qt's French dialogs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n")
# The clock window sets the computer's clock through systemd's timedatectl.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
