# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -P EmbedFile.cmake
# Writes a C++ source that defines guidara::EmbeddedMappingTable() returning
# the bytes of INPUT exactly as they stand (byte order mark, CR LF and all).
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "${INPUT}: the help mapping table is empty")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include \"guidara/src/EmbeddedTable.h\"

namespace guidara {

namespace {

const unsigned char kMappingTable[] = {
    ${bytes}
};

}  // namespace

std::string_view EmbeddedMappingTable()
{
    return {reinterpret_cast<const char*>(kMappingTable), sizeof kMappingTable};
}

}  // namespace guidara
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
