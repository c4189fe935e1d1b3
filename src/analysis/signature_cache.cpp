// The signature cache's files and their byte form.
#include "analysis/signature_cache.h"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/atomic_file.h"
#include "model/review_error.h"

namespace marrowick {

namespace {

static_assert(std::endian::native == std::endian::little, "the cache file is written in memory order");

constexpr char kSignatureMagic[4] = {'M', 'W', 'S', 'K'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeader = 4 + 4 + 8 + 8;
constexpr std::size_t kPerFrame = 8 + FrameKey::kSize;

template <class T>
void put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T>
T get(std::string_view bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

bool isFingerprint(const std::string& text) {
    if (text.size() != 64) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace

std::string encodeKeys(const FilmKeys& keys) {
    std::string out;
    out.reserve(kHeader + keys.keys.size() * kPerFrame);
    out.append(kSignatureMagic, 4);
    put(out, kVersion);
    put(out, keys.fps);
    put(out, static_cast<std::uint64_t>(keys.keys.size()));
    for (std::size_t i = 0; i < keys.keys.size(); ++i) {
        put(out, keys.times[i]);
        out.append(reinterpret_cast<const char*>(keys.keys[i].values.data()), FrameKey::kSize);
    }
    return out;
}

std::optional<FilmKeys> decodeKeys(std::string_view bytes) {
    if (bytes.size() < kHeader || std::memcmp(bytes.data(), kSignatureMagic, 4) != 0 || get<std::uint32_t>(bytes, 4) != kVersion)
        return std::nullopt;
    FilmKeys keys;
    keys.fps = get<double>(bytes, 8);
    const auto count = get<std::uint64_t>(bytes, 16);
    if (!(keys.fps > 0) || !std::isfinite(keys.fps) || count != (bytes.size() - kHeader) / kPerFrame ||
        (bytes.size() - kHeader) % kPerFrame != 0)
        return std::nullopt;
    keys.times.resize(count);
    keys.keys.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeader + i * kPerFrame;
        keys.times[i] = get<double>(bytes, at);
        if (!std::isfinite(keys.times[i]) || (i > 0 && !(keys.times[i] > keys.times[i - 1]))) return std::nullopt;
        std::memcpy(keys.keys[i].values.data(), bytes.data() + at + 8, FrameKey::kSize);
    }
    return keys;
}

std::filesystem::path SignatureCache::defaultFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    std::filesystem::path base;
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : "/tmp") / ".cache";
    }
    return base / "Marrowick" / "signatures";  // the folder name of all our data and caches
}

std::optional<std::filesystem::path> SignatureCache::fileOf(const std::string& fingerprint) const {
    if (!isFingerprint(fingerprint)) return std::nullopt;
    return folder_ / (fingerprint + ".keys");
}

std::optional<FilmKeys> SignatureCache::load(const std::string& fingerprint) const {
    const std::optional<std::filesystem::path> file = fileOf(fingerprint);
    if (!file) return std::nullopt;
    std::ifstream in(*file, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return decodeKeys(bytes);
}

void SignatureCache::store(const std::string& fingerprint, const FilmKeys& keys) const {
    const std::optional<std::filesystem::path> file = fileOf(fingerprint);
    if (!file) return;
    try {
        std::error_code ignored;
        std::filesystem::create_directories(folder_, ignored);
        writeFileAtomically(*file, encodeKeys(keys));
    } catch (const ReviewError&) {
        // Only a saving: the keys are made again from the film next time.
    }
}

}  // namespace marrowick
