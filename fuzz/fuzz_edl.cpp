// Fuzz target for CMX 3600 edit decision lists: the reader, then the mapping onto a film.
#include "cut_list_fuzzing.h"
#include "interchange/edl_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return marrowick::fuzzing::readAndMap(data, size, [](std::string_view text) { return marrowick::EdlReader::read(text, 30000.0 / 1001); });
}
