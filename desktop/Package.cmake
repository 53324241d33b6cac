# The Debian package (cpack -G DEB in a Release build; scripts/package.sh
# builds it and checks it). Its Depends line comes from dpkg-shlibdeps, so it
# names the libraries the stripped binary really links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvcalc)
set(CPACK_PACKAGE_VENDOR "Zorv Advanced Calculator maintainers")
set(CPACK_PACKAGE_CONTACT
    "Zorv Advanced Calculator maintainers <maintainers@users.noreply.c-seed-40565fde.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Debian revision; desktop/debian/changelog must name the same version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own German texts (standard dialog buttons) when the desktop speaks German;
# the program's translations are built in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"desktop calculator modelled on a printing adding machine
A keypad, a one-line readout and a paper tape on which every number,
operator and total is written. Sums are exact decimal arithmetic, never
binary floating point. The tape can be annotated, searched, edited, saved,
printed and published; guided financial calculations, quick unit
conversions and an expression evaluator are built in.
.
A batch mode (zorvcalc --batch) reads keys from standard input and writes
the tape to standard output, without a display.")
include(CPack)
