// Fuzz target for Final Cut Pro 7 XML sequences: the reader, then the mapping onto a film.
#include "cut_list_fuzzing.h"
#include "interchange/xmeml_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return marrowick::fuzzing::readAndMap(data, size, marrowick::XmemlReader::read);
}
