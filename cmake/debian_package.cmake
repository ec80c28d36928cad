# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built with `cpack -G DEB` in the build folder: what each format folder
# gives it (sferant_package, sferant_format), the command-line host and its manual page (when
# the build has the host). A plain `cmake --install` leaves all of this out and installs the
# modules and the bundle for the current user only.
set(SFERANT_PACKAGE_COMPONENT sferant-deb)

macro(sferant_finish_package)
  sferant_package(FILES LICENSE DESTINATION share/doc/sferant RENAME copyright)
  sferant_package(FILES README.md DESTINATION share/doc/sferant)
  set(SFERANT_DEB_HOST_TEXT "")
  if(TARGET sferant-host)
    sferant_package(TARGETS sferant-host RUNTIME DESTINATION bin)
    if(SFERANT_HOST_MANUAL)
      sferant_package(FILES ${SFERANT_HOST_MANUAL} DESTINATION share/man/man1)
    endif()
    sferant_package(FILES tools/README.md DESTINATION share/doc/sferant RENAME sferant-host.md)
    set(SFERANT_DEB_HOST_TEXT "; sferant-host renders\n\
sound files through it, also as AmbiX and .amb files")
  endif()
  get_property(titles GLOBAL PROPERTY SFERANT_PACKAGE_TITLES)
  get_property(places GLOBAL PROPERTY SFERANT_PACKAGE_PLACES)
  sferant_join_words(SFERANT_DEB_TITLES ${titles})
  sferant_join_words(SFERANT_DEB_PLACES ${places})
  string(SUBSTRING "${SFERANT_DEB_PLACES}" 0 1 first)
  string(SUBSTRING "${SFERANT_DEB_PLACES}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  set(SFERANT_DEB_PLACES "${first}${rest}")

  set(CPACK_GENERATOR DEB)
  # Only the package's own component, as one package named after the project.
  set(CPACK_COMPONENTS_ALL ${SFERANT_PACKAGE_COMPONENT})
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGE_NAME sferant)
  set(CPACK_PACKAGE_VENDOR "Sferant Project")
  set(CPACK_PACKAGE_CONTACT "Sferant Project")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ambisonic encoder plug-in for ${SFERANT_DEB_TITLES} hosts")
  set(CPACK_PACKAGE_DESCRIPTION "\
Encodes a mono or stereo source into Ambisonic B-Format of orders 1 to 5\n\
(36 outputs, Furse-Malham sequence) in five normalisations, full-sphere or\n\
horizontal-only, with stereo width and near-field compensation.\n\
${SFERANT_DEB_PLACES}, where\n\
Linux hosts find them${SFERANT_DEB_HOST_TEXT}.")
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  include(CPack)
endmacro()
