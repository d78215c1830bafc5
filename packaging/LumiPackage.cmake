# The Debian package of the installed files (make package, or cpack -G DEB in the
# build folder): lumivorexan_<version>_amd64.deb. Its dependencies come from the
# shared libraries the programs link (dpkg-shlibdeps, package dpkg-dev). Menus, MIME
# types and icon caches are refreshed by the triggers of the packages that own them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivorexan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lumivorexan developers")
set(CPACK_PACKAGE_CONTACT "The Lumivorexan developers <lumivorexan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interferogram analysis for testing mirrors and lenses")
set(CPACK_PACKAGE_DESCRIPTION "\
Mark the aperture on a photograph of laser interferometer fringes, place points
along the fringes by hand or by tracing, and fit up to 37 Zernike terms: P-V,
RMS, Strehl ratio, low-order aberrations, wavefront, PSF and MTF plots and
reports. lumivorexan-cli runs the same analysis on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, shared-mime-info, desktop-file-utils")
include(CPack)
