# Binary package (cpack -G DEB) and source package
# (cpack --config CPackSourceConfig.cmake).
set(CPACK_PACKAGE_NAME brondel)
set(CPACK_PACKAGE_VENDOR "brondel developers")
set(CPACK_PACKAGE_CONTACT "brondel developers <brondel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
"brondel reads an ASCII stack (twelve header entries of keyword and number,
then numbers separated by white space) and writes the binary stack that
Tarkel reads: the numbers as raw little-endian IEEE 754 binary32 or binary64
values. It streams in constant memory, rounds every number correctly and
reports every failure with its own exit status.")
set(CPACK_RESOURCE_FILE_README "${PROJECT_SOURCE_DIR}/README.md")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # brondel_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME "brondel-${PROJECT_VERSION}")
set(CPACK_SOURCE_IGNORE_FILES
  "/\\\\.git/" "/build[^/]*/" "/out/" "\\\\.bin$" "/fuzz/corpus-run/" "/crash-" "/leak-" "/timeout-")

include(CPack)
