# The Debian package fourk_<version>_<arch>.deb, made by `cpack` in the build folder
# (scripts/package does it): exactly what `cmake --install` installs, under /usr, with the
# binaries stripped and the dependencies read from them by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fourk)
set(CPACK_PACKAGE_VENDOR "Fourk developers")
set(CPACK_PACKAGE_CONTACT "Fourk developers <fourk@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "EXAFS oscillation chi(k) beside its Fourier transform")
# Lines are kept as they are and an empty line separates paragraphs in the package.
set(CPACK_PACKAGE_DESCRIPTION [[
Fourk simulates the EXAFS oscillation chi(k) of one scattering shell and
shows it beside its Fourier transform chi(R). Sliders set the k-weight, the
shell distance, the phases and the Debye-Waller factor; the envelope and the
edges of the window function are dragged with the mouse; both plots follow
at once.

Scenario files (.fourk) keep every setting, for a teacher to hand out or a
student to come back to. The tables (CSV) and pictures (PNG, SVG) of both
plots are saved from the windows or written by fourk-export, a command-line
program that needs no display.

The interface is in Japanese (the default) or English.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialog buttons and texts in Japanese; without them they stay English.
if(FOURK_QT EQUAL 6)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qttranslations5-l10n)
endif()
# Without a CJK font the Japanese interface shows boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
