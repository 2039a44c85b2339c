# Install rules and the Debian package.
#
#   cmake --install <build> --prefix <dir>   gives <dir>/bin/circad2ipc and
#                                            <dir>/share/man/man1/circad2ipc.1.gz
#   cd <build> && cpack -G DEB               gives circad2ipc_<version>_<arch>.deb
include(GNUInstallDirs)

install(TARGETS circad2ipc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual page, compressed as Debian policy asks: gzip -9n stores neither the
# name nor the time, so the same page always gives the same bytes.
set(CIRCAD2IPC_MAN_PAGE ${PROJECT_SOURCE_DIR}/docs/circad2ipc.1)
find_program(CIRCAD2IPC_GZIP gzip)
if(CIRCAD2IPC_GZIP)
  set(_circad2ipc_man_copy ${PROJECT_BINARY_DIR}/man/circad2ipc.1)
  add_custom_command(
    OUTPUT ${_circad2ipc_man_copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CIRCAD2IPC_MAN_PAGE} ${_circad2ipc_man_copy}
    COMMAND ${CIRCAD2IPC_GZIP} -9 -n -f ${_circad2ipc_man_copy}
    DEPENDS ${CIRCAD2IPC_MAN_PAGE}
    COMMENT "Compressing the manual page"
    VERBATIM)
  add_custom_target(circad2ipc_man_page ALL DEPENDS ${_circad2ipc_man_copy}.gz)
  install(FILES ${_circad2ipc_man_copy}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "gzip not found: the manual page is installed uncompressed")
  install(FILES ${CIRCAD2IPC_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

# The Debian package.
set(CIRCAD2IPC_DEB_MAINTAINER "The circad2ipc developers <circad2ipc@invalid>"
    CACHE STRING "Maintainer field of the Debian package: a name and an e-mail address")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME circad2ipc)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The circad2ipc developers")
set(CPACK_PACKAGE_CONTACT ${CIRCAD2IPC_DEB_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert CirCAD PCB data files into IPC-D-356A test netlists")
set(CPACK_PACKAGE_DESCRIPTION
    "circad2ipc reads one CirCAD data file of version 6 and file type PCB and
writes a bare-board test netlist in the IPC-D-356A format beside it, with one
through-hole or surface test record per pad, sorted by net, reference and pin,
for flying-probe and bed-of-nails testers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # circad2ipc_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CIRCAD2IPC_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The architecture as dpkg names it; without dpkg, the usual names of the
# common processors (CPack's own guess would be i386).
find_program(CIRCAD2IPC_DPKG dpkg)
if(CIRCAD2IPC_DPKG)
  execute_process(COMMAND ${CIRCAD2IPC_DPKG} --print-architecture
                  OUTPUT_VARIABLE _circad2ipc_arch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE _circad2ipc_arch_result)
endif()
if(NOT CIRCAD2IPC_DPKG OR NOT _circad2ipc_arch_result EQUAL 0 OR _circad2ipc_arch STREQUAL "")
  string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" _circad2ipc_arch)
  if(_circad2ipc_arch MATCHES "^(x86_64|amd64)$")
    set(_circad2ipc_arch amd64)
  elseif(_circad2ipc_arch MATCHES "^(aarch64|arm64)$")
    set(_circad2ipc_arch arm64)
  elseif(_circad2ipc_arch MATCHES "^i[3-6]86$")
    set(_circad2ipc_arch i386)
  endif()
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${_circad2ipc_arch})

# Depends: computed from the program's shared libraries by dpkg-shlibdeps (package
# dpkg-dev), which CPack runs on the files that file(1) calls dynamically linked.
# Without those two tools the field names the packages of the libraries that a
# g++ program links, after their sonames, without versions.
find_program(CIRCAD2IPC_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(CIRCAD2IPC_FILE file)
if(CIRCAD2IPC_DPKG_SHLIBDEPS AND CIRCAD2IPC_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  message(STATUS "dpkg-shlibdeps (dpkg-dev) or file not found: "
                 "the Debian package's Depends is a fixed list without versions")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  set(_circad2ipc_depends libc6 libgcc-s1 libstdc++6)
  if(CIRCAD2IPC_SANITIZE)
    # A sanitizer build also needs the runtimes: libasan.so.8 comes in libasan8.
    foreach(_circad2ipc_runtime asan ubsan)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${_circad2ipc_runtime}.so
                      OUTPUT_VARIABLE _circad2ipc_lib OUTPUT_STRIP_TRAILING_WHITESPACE)
      file(REAL_PATH "${_circad2ipc_lib}" _circad2ipc_lib)
      if(_circad2ipc_lib MATCHES "/lib(${_circad2ipc_runtime})\\.so\\.([0-9]+)")
        list(APPEND _circad2ipc_depends lib${CMAKE_MATCH_1}${CMAKE_MATCH_2})
      endif()
    endforeach()
  endif()
  list(JOIN _circad2ipc_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()

include(CPack)
