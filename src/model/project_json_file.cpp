// Reading project files from disk: the size gate, then one read into a padded buffer and decoding.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <simdjson.h>

#include <cerrno>
#include <cstring>

#include "model/internal/project_json_reader.h"
#include "model/project_json.h"
#include "model/review_error.h"

namespace marrowick::ProjectJson {
namespace {

[[noreturn]] void failToRead(const std::filesystem::path& path, int error) {
    throw ReviewError("Could not read \"" + path.filename().string() + "\": " + std::strerror(error) + ".");
}

// Closes the descriptor when the read ends, however it ends.
struct OpenFile {
    int fd;
    ~OpenFile() { ::close(fd); }
};

void readAll(int fd, char* buffer, std::size_t size, const std::filesystem::path& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count = ::read(fd, buffer + done, size - done);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) failToRead(path, errno);
        if (count == 0) break;
        done += static_cast<std::size_t>(count);
    }
    if (done != size) failToRead(path, EIO);
}

}  // namespace

void checkFileSize(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size >= kProjectFileSizeLimit) throw ReviewError("Project file exceeds 256 MB.");
}

Project readFileUngated(const std::filesystem::path& path) {
    const OpenFile file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) failToRead(path, errno);
    struct stat status {};
    if (::fstat(file.fd, &status) != 0) failToRead(path, errno);
    const auto size = static_cast<std::size_t>(status.st_size);
    simdjson::padded_string buffer(size);
    readAll(file.fd, buffer.data(), size, path);
    return decodePadded(buffer.data(), size);
}

Project readFile(const std::filesystem::path& path) {
    checkFileSize(path);
    return readFileUngated(path);
}

}  // namespace marrowick::ProjectJson
