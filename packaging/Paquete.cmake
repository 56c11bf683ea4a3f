# The Debian package, built by CPack from the install rules (scripts/paquete.sh).
set(ALKOR_MANTENEDOR "Korvex Soft <alkor@korvexsoft.com>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME alkor)
set(CPACK_PACKAGE_VENDOR "Korvex Soft")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ALKOR_MANTENEDOR}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only what the install rules name, not the tests or the benchmarks.
set(CPACK_DEB_COMPONENT_INSTALL OFF)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME alkor)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ALKOR_MANTENEDOR}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.korvexsoft.com")
# The libraries come from the binaries; Qt's Spanish texts for the standard dialogs and the
# fonts the pictures and the help are drawn with are needed all the same.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The summary line, then the long description in English and in Spanish (a package carries
# one description field; the archive's translation files are not for a package built here).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "virtual chemistry laboratory for school practicals
Alkor is a virtual chemistry laboratory for secondary-school practicals, in
Spanish. Students start one of the built-in practices or reopen a saved one,
put glassware and instruments on a bench, add water, reagents and indicators,
heat, stir, pour, filter, distil and titrate, and read balances, thermometers,
pH meters and conductimeters while the chemistry runs. The alkor-cli command
reads, writes and simulates practice files from a terminal.
.
Alkor es un laboratorio virtual de química para las prácticas de la
enseñanza secundaria. El alumno inicia una de las prácticas integradas o abre
una guardada, coloca en la mesa material de vidrio e instrumentos, añade
agua, reactivos e indicadores, calienta, agita, trasvasa, filtra, destila y
titula, y lee balanzas, termómetros, pHmetros y conductímetros mientras la
química avanza. La orden alkor-cli lee, escribe y simula prácticas desde la
terminal.")

include(CPack)
