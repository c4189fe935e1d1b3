// fileSHA256 with OpenSSL's EVP interface over read(2).
#include "assistant/internal/file_digest.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include "model/review_error.h"

namespace marrowick {
namespace {

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& file, int code) {
    throw ReviewError(what + " " + file.string() + ": " + std::strerror(code));
}

// Closed in every case; an error while closing is of no interest after reading.
class Descriptor {
public:
    explicit Descriptor(const std::filesystem::path& file) : descriptor_(open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (descriptor_ < 0) fail("Cannot open", file, errno);
    }
    ~Descriptor() { close(descriptor_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

std::string hexadecimal(const unsigned char* bytes, unsigned int count) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < count; ++i) {
        text.push_back(kDigits[bytes[i] >> 4]);
        text.push_back(kDigits[bytes[i] & 15]);
    }
    return text;
}

}  // namespace

std::string fileSHA256(const std::filesystem::path& file, std::stop_token stop) {
    const Descriptor input(file);
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) fail("Cannot hash", file, ENOMEM);
    std::vector<unsigned char> chunk(kDigestChunkBytes);
    for (;;) {
        const ssize_t count = read(input.get(), chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) fail("Cannot read", file, errno);
        if (count == 0) break;
        if (stop.stop_requested()) throw Cancelled();
        EVP_DigestUpdate(context.get(), chunk.data(), static_cast<std::size_t>(count));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest, &length);
    return hexadecimal(digest, length);
}

}  // namespace marrowick
