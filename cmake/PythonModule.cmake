# Whether this build makes the Python module (logora/python) and its Debian
# package: on Linux, with pybind11 for the Debian python3 (never the first
# python3 on the PATH, which may lack the Debian numpy and pandas), and not
# in sanitizer builds, whose module would need a runtime python3 lacks.
set(LOGORA_PYTHON_MODULE OFF)
if(NOT WIN32 AND NOT SANITIZE AND NOT FUZZ)
  set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The python3 the module is built for")
  set(PYTHON_EXECUTABLE ${Python3_EXECUTABLE})
  find_package(Python3 COMPONENTS Interpreter Development.Module)
  if(Python3_FOUND)
    find_package(pybind11 CONFIG QUIET)
  endif()
  if(pybind11_FOUND)
    set(LOGORA_PYTHON_MODULE ON)
  else()
    message(STATUS "pybind11 or the python3 headers not found: the Python module is not built")
  endif()
endif()
