# Release packages, made by CPack from the install rules below:
#   PressoraLite-<version>-linux-x86_64.tar.gz (with the LV2 bundle PressoraLite.lv2/)
#   PressoraLite-<version>-windows-x86.zip, PressoraLite-<version>-windows-x64.zip
# each holding one folder, PressoraLite/, with the plug-in library, its Resources/
# folder, an install text and the licence (install component "archive"); and on
# Linux the Debian package pressoralite_<version>_amd64.deb (component "deb"):
# the VST library with its Resources in /usr/lib/vst/PressoraLite/, the LV2
# bundle in /usr/lib/lv2/PressoraLite.lv2/ (the folders Debian's own plug-in
# packages use) and pressora in /usr/bin with its manual page. `cpack` in a build
# folder makes that build's archive, `cpack -G DEB` the Debian package
# (scripts/package.sh makes and checks them all).
#
# A build without the GUI framework has no shipped library (only the test
# library without an editor), so it has nothing to package.
if(NOT TARGET PressoraLite)
  return()
endif()

# The editor's pictures: a native build's own, or those VANTOR_RESOURCES_DIR names.
if(VANTOR_RESOURCES_DIR)
  set(resources ${VANTOR_RESOURCES_DIR})
elseif(TARGET artwork_resources)
  set(resources ${PROJECT_BINARY_DIR}/plugin/Resources)
endif()

if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VANTOR_PACKAGE_ARCH x64)
    set(VANTOR_PACKAGE_BITS 64)
  else()
    set(VANTOR_PACKAGE_ARCH x86)
    set(VANTOR_PACKAGE_BITS 32)
  endif()
  set(package_system windows-${VANTOR_PACKAGE_ARCH})
  set(install_text ${PROJECT_SOURCE_DIR}/packaging/INSTALL-windows.txt)
  set(CPACK_GENERATOR ZIP)
else()
  set(package_system linux-${CMAKE_SYSTEM_PROCESSOR})
  set(install_text ${PROJECT_SOURCE_DIR}/packaging/INSTALL-linux.txt)
  set(CPACK_GENERATOR TGZ)
endif()
configure_file(${install_text} ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt @ONLY)

# Installing and packaging need only the plug-in and its pictures, which the
# packaging script builds first, not every test program of the build.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

# The VST library with its pictures, and the LV2 bundle as it is built, into the
# given folders of one layout (component).
function(vantor_install_plugins component vst_folder lv2_folder)
  install(TARGETS PressoraLite LIBRARY DESTINATION ${vst_folder} COMPONENT ${component})
  if(resources)
    # Only the pictures: anything else a build leaves there stays out.
    install(DIRECTORY ${resources}/ DESTINATION ${vst_folder}/Resources COMPONENT ${component}
            FILES_MATCHING PATTERN "*.png")
  endif()
  if(TARGET lv2_bundle)
    install(TARGETS PressoraLite_dsp PressoraLite_ui LIBRARY DESTINATION ${lv2_folder} COMPONENT ${component})
    install(FILES ${VANTOR_LV2_BUNDLE}/manifest.ttl ${VANTOR_LV2_BUNDLE}/PressoraLite.ttl
                  ${VANTOR_LV2_BUNDLE}/presets.ttl DESTINATION ${lv2_folder} COMPONENT ${component})
    if(resources)
      install(DIRECTORY ${resources}/ DESTINATION ${lv2_folder}/Resources COMPONENT ${component}
              FILES_MATCHING PATTERN "*.png")
    endif()
  endif()
endfunction()

# The archives: one PressoraLite folder, the LV2 bundle (Linux) inside it.
vantor_install_plugins(archive PressoraLite PressoraLite/PressoraLite.lv2)
install(FILES ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt ${PROJECT_SOURCE_DIR}/packaging/LICENSE.txt
        DESTINATION PressoraLite COMPONENT archive)
set(components archive)

# The Debian package, under /usr: the system's plug-in folders, the program and its
# manual page, the copyright and the changelog that Debian's tools look for.
if(NOT WIN32 AND TARGET pressora)
  set(VANTOR_PACKAGE_MAINTAINER "Corvella <packages@corvella.example>")
  string(TIMESTAMP VANTOR_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(doc_dir share/doc/pressoralite)
  set(packaging ${PROJECT_BINARY_DIR}/packaging)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/pressora.1 ${packaging}/pressora.1 @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian-changelog.in ${packaging}/changelog @ONLY)
  # Compressed as Debian wants them: the best compression, no name or time stamp inside.
  foreach(file pressora.1 changelog)
    add_custom_command(OUTPUT ${packaging}/${file}.gz
                       COMMAND gzip -9nf -k ${packaging}/${file}
                       DEPENDS ${packaging}/${file} VERBATIM)
  endforeach()
  add_custom_target(debian_files ALL DEPENDS ${packaging}/pressora.1.gz ${packaging}/changelog.gz)

  vantor_install_plugins(deb lib/vst/PressoraLite lib/lv2/PressoraLite.lv2)
  install(TARGETS pressora RUNTIME DESTINATION bin COMPONENT deb)
  install(FILES ${packaging}/pressora.1.gz DESTINATION share/man/man1 COMPONENT deb)
  install(FILES ${packaging}/changelog.gz DESTINATION ${doc_dir} COMPONENT deb)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian-copyright DESTINATION ${doc_dir} RENAME copyright
          COMPONENT deb)
  list(APPEND components deb)

  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_PACKAGE_NAME pressoralite)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VANTOR_PACKAGE_MAINTAINER})
  set(CPACK_DEBIAN_PACKAGE_SECTION sound)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stereo dynamics compressor plug-in (VST 2.4 and LV2)")
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
         "PressoraLite is a feed-forward, hard-knee RMS compressor with stereo-linked\n"
         "gain, attack and release smoothed in decibels, a dry/wet mix and an output\n"
         "gain, with an editor and 13 factory programs. This package installs the VST\n"
         "2.4 plug-in, the LV2 bundle (with a side-chain variant) and pressora, a\n"
         "command-line host that renders sound files through any VST 2.4 plug-in,\n"
         "draws a report of what it did and benchmarks plug-ins against each other.")
endif()

# Each generator packages its own layout: archives the folder, DEB the system's.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL ${components})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackagingLayout.cmake)

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Corvella")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${package_system})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
