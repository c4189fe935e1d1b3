// Writes through a temporary file, fsync and rename, so readers never see half a file.
#include "model/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "model/review_error.h"
#include "model/uuid.h"

namespace marrowick {
namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int error) {
    throw ReviewError("Could not write \"" + path.filename().string() + "\": " + std::strerror(error) + ".");
}

void writeAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail(path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path folder = path.parent_path();
    const std::filesystem::path temporary =
        folder / ("." + path.filename().string() + "." + Uuid::random().text().substr(0, 8) + ".tmp");
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) fail(path, errno);
    try {
        writeAll(fd, bytes, path);
        if (::fsync(fd) != 0) fail(path, errno);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(path, error);
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(path, error);
    }
    syncFolder(folder);
}

}  // namespace marrowick
