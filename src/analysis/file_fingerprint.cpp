// Streaming SHA-256 of a file with OpenSSL's EVP interface.
#include "analysis/file_fingerprint.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <openssl/evp.h>

#include "model/review_error.h"

namespace marrowick::FileFingerprint {

namespace {

constexpr std::size_t kChunkBytes = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }  // a failed close is ignored
};
struct DigestFreer {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

std::string hex(const unsigned char* bytes, unsigned length) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(length * 2);
    for (unsigned i = 0; i < length; ++i) {
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 15]);
    }
    return text;
}

}  // namespace

std::string sha256Of(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1)
        throw ReviewError("Cannot compute SHA-256.");
    return hex(digest, length);
}

std::string sha256(const std::filesystem::path& path, std::stop_token stop) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw ReviewError::about(path, std::strerror(errno));
    std::unique_ptr<EVP_MD_CTX, DigestFreer> digest(EVP_MD_CTX_new());
    if (!digest || EVP_DigestInit_ex(digest.get(), EVP_sha256(), nullptr) != 1) throw ReviewError("Cannot compute SHA-256.");
    std::vector<unsigned char> chunk(kChunkBytes);
    for (;;) {
        if (stop.stop_requested()) throw Cancelled();
        const std::size_t count = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (count == 0) break;
        EVP_DigestUpdate(digest.get(), chunk.data(), count);
    }
    if (std::ferror(file.get())) throw ReviewError::about(path, std::strerror(errno));
    unsigned char bytes[EVP_MAX_MD_SIZE];
    unsigned length = 0;
    EVP_DigestFinal_ex(digest.get(), bytes, &length);
    return hex(bytes, length);
}

}  // namespace marrowick::FileFingerprint
