# The Debian package of the Linux tool: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME tabora)
set(CPACK_PACKAGE_VENDOR "Tabora")
set(CPACK_PACKAGE_CONTACT "Tabora maintainers <maintainers@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Worksheet list beside the spreadsheet: find a sheet by name and switch to it")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tabora)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# The shared libraries are found by dpkg-shlibdeps; Qt's X11 platform plugin, the Japanese fonts
# and the office are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(tabora_runtime_packages "qt6-qpa-plugins" "fonts-ipafont-gothic | fonts-noto-cjk")
if(TARGET tabora_calc)
  list(APPEND tabora_runtime_packages "libreoffice-calc")
endif()
list(JOIN tabora_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The office's own dialogs (its file dialog among them) in Japanese, like the tool's.
if(TARGET tabora_calc)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-l10n-ja")
endif()
include(CPack)
