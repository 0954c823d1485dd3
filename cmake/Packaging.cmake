# Release facts and the Debian packages, built from an install to /usr:
#   cpack --config build/CPackConfig.cmake -G DEB   (scripts/package-deb.sh)
# Packages: logora (both programs, help pages, desktop files, man pages),
# libordil1, libordil-dev, libguidara1, libguidara-dev, and python3-logora
# where the Python module is built (cmake/PythonModule.cmake).

set(PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(PACKAGE_MAINTAINER "Logora developers <logora@example.org>" CACHE STRING "Maintainer named in the packages")
# The day of this release, as seconds since 1970 (UTC): dates the changelog,
# the metainfo and the man pages, so the packages do not change from one
# build day to the next.
set(RELEASE_EPOCH 1796774400)

set(saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${RELEASE_EPOCH})
string(TIMESTAMP RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP RELEASE_DATE_RFC2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${saved_epoch}")

set(CPACK_PACKAGE_NAME logora)
set(CPACK_PACKAGE_VENDOR "Kestra Applications")
set(CPACK_PACKAGE_VERSION ${PACKAGE_VERSION})
set(CPACK_PACKAGE_CONTACT ${PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL logora ordil ordil-dev guidara guidara-dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_SOURCE logora)

set(CPACK_DEBIAN_LOGORA_PACKAGE_NAME logora)
set(CPACK_DEBIAN_LOGORA_PACKAGE_SECTION utils)
# vettle's help button loads libguidara at run time, which shlibdeps cannot see.
set(CPACK_DEBIAN_LOGORA_PACKAGE_DEPENDS "libguidara1 (= ${PACKAGE_VERSION})")
set(CPACK_COMPONENT_LOGORA_DESCRIPTION "viewer and converter for HMI datalogs, alarm logs and recipes
Logora shows Zarn and Vell datalogs, Vell alarm logs, Blendcraft recipes and
dBASE tables as record lists and trend plots, and converts them to CSV or
dBASE tables, in its window or from the command line. Vettle checks CSV data
logs with integrity markers for altered, reordered, added or removed lines.")

include(PythonModule)
if(LOGORA_PYTHON_MODULE)
  list(APPEND CPACK_COMPONENTS_ALL python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-logora)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  # The module is built for the Debian python3 of this release; numpy holds its
  # arrays, pandas only to_pandas() needs.
  math(EXPR python_next_minor "${Python3_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}), python3 (<< ${Python3_VERSION_MAJOR}.${python_next_minor}), python3-numpy")
  set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS python3-pandas)
  set(CPACK_COMPONENT_PYTHON_DESCRIPTION "Python module of the logora converter
The logora module reads Zarn and Vell datalogs, Vell alarm logs, Blendcraft
recipes and dBASE tables into numpy arrays and pandas data frames, with the
values of logora's CSV output, and checks CSV data logs with integrity
markers as vettle does.")
endif()

# add_library_packages(<component> <package> <summary> <what it does>)
# The run-time and development packages of one shared library.
function(add_library_packages component package summary text)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_SECTION libs PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/data/debian/triggers PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}_PACKAGE_CONTROL_STRICT_PERMISSION ON PARENT_SCOPE)
  set(CPACK_COMPONENT_${upper}_DESCRIPTION "${summary}\n${text}" PARENT_SCOPE)
  string(REGEX REPLACE "[0-9]+$" "-dev" dev_package ${package})
  set(CPACK_DEBIAN_${upper}-DEV_PACKAGE_NAME ${dev_package} PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}-DEV_PACKAGE_SECTION libdevel PARENT_SCOPE)
  set(CPACK_DEBIAN_${upper}-DEV_PACKAGE_DEPENDS "${package} (= ${PACKAGE_VERSION})" PARENT_SCOPE)
  set(CPACK_COMPONENT_${upper}-DEV_DESCRIPTION
    "${summary} (development files)\n${text}\nThis package holds the header, the pkg-config file and the CMake package."
    PARENT_SCOPE)
endfunction()
add_library_packages(ordil libordil1 "utility functions of the HMI product family"
  "Ordil offers 30 C functions for file, folder and drive names and checks,
file copy and CRC, number strings, blank and quote handling, parameter
strings and blocks, all on UTF-16 text.")
add_library_packages(guidara libguidara1 "help page opener of the HMI product family"
  "Guidara maps a help file name and context id to a web help page through a
table it carries and opens that page with the desktop's default handler.")
# Pages open through xdg-open; without it every request answers 0.
set(CPACK_DEBIAN_GUIDARA_PACKAGE_RECOMMENDS xdg-utils)

include(CPack)
