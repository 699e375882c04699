# Release packages, made by CPack from the install rules below:
#   PressoraLite-<version>-linux-x86_64.tar.gz (with the LV2 bundle PressoraLite.lv2/)
#   PressoraLite-<version>-windows-x86.zip, PressoraLite-<version>-windows-x64.zip
# each holding one folder, PressoraLite/, with the plug-in library, its Resources/
# folder, an install text and the licence. `cpack` in a build folder makes that
# build's package (scripts/package.sh makes and checks all three).
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
install(TARGETS PressoraLite LIBRARY DESTINATION PressoraLite)
if(resources)
  # Only the pictures: anything else a build leaves there stays out.
  install(DIRECTORY ${resources}/ DESTINATION PressoraLite/Resources FILES_MATCHING PATTERN "*.png")
endif()
install(FILES ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt ${PROJECT_SOURCE_DIR}/packaging/LICENSE.txt
        DESTINATION PressoraLite)
# The LV2 edition (Linux): the bundle as it is built, beside the VST library.
if(TARGET lv2_bundle)
  set(lv2_destination PressoraLite/PressoraLite.lv2)
  install(TARGETS PressoraLite_dsp PressoraLite_ui LIBRARY DESTINATION ${lv2_destination})
  install(FILES ${VANTOR_LV2_BUNDLE}/manifest.ttl ${VANTOR_LV2_BUNDLE}/PressoraLite.ttl
                ${VANTOR_LV2_BUNDLE}/presets.ttl DESTINATION ${lv2_destination})
  if(resources)
    install(DIRECTORY ${resources}/ DESTINATION ${lv2_destination}/Resources FILES_MATCHING PATTERN "*.png")
  endif()
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Corvella")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-${package_system})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
