// Fuzz target for FCPXML documents: the reader, then the mapping onto a film.
#include "cut_list_fuzzing.h"
#include "interchange/fcpxml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return marrowick::fuzzing::readAndMap(data, size, marrowick::FcpxmlReader::read);
}
