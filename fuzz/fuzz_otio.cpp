// Fuzz target for OpenTimelineIO timelines: the reader, then the mapping onto a film.
#include "cut_list_fuzzing.h"
#include "interchange/otio_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return marrowick::fuzzing::readAndMap(data, size, marrowick::OtioReader::read);
}
