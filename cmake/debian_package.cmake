# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built with `cpack -G DEB` in the build folder: both VST 2.4 modules and the
# LV2 bundle in the system folders Linux hosts scan, the command-line host and its manual page
# (when the build has the host). A plain `cmake --install` leaves all of this out and installs
# the modules and the bundle for the current user only.
set(SFERANT_DEB sferant-deb)
install(TARGETS Sferant SferantAmbiX LIBRARY DESTINATION lib/lxvst COMPONENT ${SFERANT_DEB}
  EXCLUDE_FROM_ALL)
install(TARGETS sferant_lv2_dsp sferant_lv2_ui LIBRARY DESTINATION lib/lv2/Sferant.lv2
  COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
install(DIRECTORY ${SFERANT_LV2_BUNDLE}/ DESTINATION lib/lv2/Sferant.lv2
  COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL FILES_MATCHING PATTERN "*.ttl")
if(TARGET sferant_clap)
  install(TARGETS sferant_clap LIBRARY DESTINATION lib/clap COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
endif()
if(TARGET sferant_vst3)
  install(TARGETS sferant_vst3 LIBRARY DESTINATION lib/vst3/Sferant.vst3/Contents/x86_64-linux
    COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
endif()
install(FILES LICENSE DESTINATION share/doc/sferant RENAME copyright
  COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
install(FILES README.md DESTINATION share/doc/sferant COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
set(SFERANT_DEB_HOST_TEXT "")
if(TARGET sferant-host)
  install(TARGETS sferant-host RUNTIME DESTINATION bin COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
  if(SFERANT_HOST_MANUAL)
    install(FILES ${SFERANT_HOST_MANUAL} DESTINATION share/man/man1
      COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
  endif()
  install(FILES tools/README.md DESTINATION share/doc/sferant RENAME sferant-host.md
    COMPONENT ${SFERANT_DEB} EXCLUDE_FROM_ALL)
  set(SFERANT_DEB_HOST_TEXT "; sferant-host renders\n\
sound files through it, also as AmbiX and .amb files")
endif()

set(CPACK_GENERATOR DEB)
# Only the package's own component, as one package named after the project.
set(CPACK_COMPONENTS_ALL ${SFERANT_DEB})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_NAME sferant)
set(CPACK_PACKAGE_VENDOR "Sferant Project")
set(CPACK_PACKAGE_CONTACT "Sferant Project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ambisonic encoder plug-in for VST 2.4, VST3, LV2 and CLAP hosts")
set(CPACK_PACKAGE_DESCRIPTION "\
Encodes a mono or stereo source into Ambisonic B-Format of orders 1 to 5\n\
(36 outputs, Furse-Malham sequence) in five normalisations, full-sphere or\n\
horizontal-only, with stereo width and near-field compensation. The VST 2.4\n\
modules go into /usr/lib/lxvst, the VST3 bundle into /usr/lib/vst3, the LV2\n\
bundle into /usr/lib/lv2 and the CLAP module into /usr/lib/clap, where Linux\n\
hosts find them${SFERANT_DEB_HOST_TEXT}.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
