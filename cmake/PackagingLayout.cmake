# Read by CPack for each generator (CPACK_PROJECT_CONFIG_FILE): the Debian package
# takes the install component "deb" (the system's folders under /usr), every
# archive the component "archive" (one PressoraLite folder).
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_COMPONENTS_ALL deb)
else()
  set(CPACK_COMPONENTS_ALL archive)
endif()
