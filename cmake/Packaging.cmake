# Release facts and the names of the Debian packages (built by debian/ with
# dpkg-buildpackage: scripts/package-debian.sh). Each install component
# belongs to one package: logora (the viewer and converter, its help pages,
# desktop files, man page), libordil1, libordil-dev, libguidara1,
# libguidara-dev and python3-logora where the Python module is built
# (cmake/PythonModule.cmake).

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

# The package of each install component, whose documents folder it fills.
set(PACKAGE_OF_logora logora)
set(PACKAGE_OF_ordil libordil1)
set(PACKAGE_OF_ordil-dev libordil-dev)
set(PACKAGE_OF_guidara libguidara1)
set(PACKAGE_OF_guidara-dev libguidara-dev)
set(PACKAGE_OF_python python3-logora)

include(PythonModule)
