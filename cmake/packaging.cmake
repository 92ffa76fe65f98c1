# What `cmake --install` puts in a prefix, and the packages CPack makes of it.
#
# Native build: bin/r58046, share/r58046/exercises (master files, bundled scenarios and the
# list of those that run against a real Word), share/doc/r58046; `cpack -G DEB` makes a
# Debian package of it.
#
# Windows build: the integrator's package, one folder with r58046.dll, register.cmd and
# unregister.cmd (the 32-bit regsvr32), the integrator's guide host.md and the script host
# host.vbs, and for the acceptance test against a real Word the scenario runner r58046.exe
# with the exercises; `cpack -G ZIP` makes a zip of it. simword.exe is left out on purpose:
# it must never be registered on a machine with Word.
set(CPACK_PACKAGE_NAME r58046)
set(CPACK_PACKAGE_VENDOR "R58046")
set(CPACK_PACKAGE_CONTACT "R58046 maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Question module of a Word 2003 training application, with its scenario runner")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # The Windows build's tests build what they need (tools/wine-test): packaging does not
  # build every target first.
  set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
  if(TARGET r58046_dll)
    install(TARGETS r58046_dll LIBRARY DESTINATION . RUNTIME DESTINATION .)
  endif()
  if(TARGET r58046_runner)
    install(TARGETS r58046_runner RUNTIME DESTINATION .)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/exercises/ DESTINATION exercises)
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/tools/windows/register.cmd
                ${CMAKE_SOURCE_DIR}/tools/windows/unregister.cmd
                ${CMAKE_SOURCE_DIR}/docs/host.md
                ${CMAKE_SOURCE_DIR}/examples/host.vbs
          DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME r58046-${PROJECT_VERSION}-win32)
else()
  if(TARGET r58046)
    install(TARGETS r58046 RUNTIME DESTINATION bin)
  endif()
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/exercises/ DESTINATION share/r58046/exercises)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/r58046.md
                ${CMAKE_SOURCE_DIR}/docs/simword-format.md
          DESTINATION share/doc/r58046)
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  # The run-time libraries (libstdc++, ICU) as dpkg-shlibdeps finds them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
