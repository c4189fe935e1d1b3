// Opening, updating and reading a movie through exempi's smart handlers.
#include "disclosure/xmp_file.h"

#include "disclosure/internal/exempi.h"
#include "model/review_error.h"

namespace marrowick::XmpFile {
namespace {

// Closes the file before freeing it; a close that fails means the update did not reach the disk.
class OpenFile {
public:
    OpenFile(const std::filesystem::path& path, XmpOpenFileOptions options)
        : file_(xmp_files_open_new(path.c_str(), options)) {}
    ~OpenFile() {
        if (file_ && open_) xmp_files_close(file_.get(), XMP_CLOSE_NOOPTION);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    XmpFilePtr get() const { return file_.get(); }
    explicit operator bool() const { return file_ != nullptr; }
    bool close() {
        open_ = false;
        return xmp_files_close(file_.get(), XMP_CLOSE_NOOPTION);
    }

private:
    Exempi::FilePtr file_;
    bool open_ = true;
};

XmpOpenFileOptions options(int flags) { return static_cast<XmpOpenFileOptions>(flags); }

}  // namespace

void embed(const std::filesystem::path& movie, const std::string& packet, Layout layout) {
    Exempi::ready();
    const int optimise = layout == Layout::indexFirst ? XMP_OPEN_OPTIMIZEFILELAYOUT : 0;
    OpenFile file(movie, options(XMP_OPEN_FORUPDATE | XMP_OPEN_USESMARTHANDLER | optimise));
    if (!file || !xmp_files_put_xmp_cstr(file.get(), packet.data(), packet.size()) || !file.close())
        throw ReviewError::about(movie, "cannot write its XMP metadata.");
}

std::string embeddedPacket(const std::filesystem::path& movie) {
    Exempi::ready();
    OpenFile file(movie, options(XMP_OPEN_READ | XMP_OPEN_USESMARTHANDLER | XMP_OPEN_ONLYXMP));
    if (!file) throw ReviewError::about(movie, "cannot read its XMP metadata.");
    const Exempi::StringPtr packet = Exempi::newString();
    XmpPacketInfo info{};
    if (!xmp_files_get_xmp_xmpstring(file.get(), packet.get(), &info)) return {};
    return Exempi::text(packet);
}

}  // namespace marrowick::XmpFile
