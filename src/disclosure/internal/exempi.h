// Owning handles for exempi's objects, the namespaces the disclosure packet uses, and the one-time
// start of the toolkit.
#pragma once

#include <memory>
#include <string>

#include <exempi/xmp.h>

namespace marrowick::Exempi {

inline constexpr const char* kDynamicMedia = "http://ns.adobe.com/xmp/1.0/DynamicMedia/";
inline constexpr const char* kIptcExtension = "http://iptc.org/std/Iptc4xmpExt/2008-02-29/";
inline constexpr const char* kDublinCore = "http://purl.org/dc/elements/1.1/";

struct MetaFreer {
    void operator()(XmpPtr meta) const { xmp_free(meta); }
};
struct StringFreer {
    void operator()(XmpStringPtr text) const { xmp_string_free(text); }
};
struct FileFreer {
    void operator()(XmpFilePtr file) const { xmp_files_free(file); }
};

using MetaPtr = std::unique_ptr<std::remove_pointer_t<XmpPtr>, MetaFreer>;
using StringPtr = std::unique_ptr<std::remove_pointer_t<XmpStringPtr>, StringFreer>;
using FilePtr = std::unique_ptr<std::remove_pointer_t<XmpFilePtr>, FileFreer>;

inline StringPtr newString() { return StringPtr(xmp_string_new()); }
inline std::string text(const StringPtr& value) { return {xmp_string_cstr(value.get()), xmp_string_len(value.get())}; }

// Starts the toolkit and registers the "Iptc4xmpExt" and "xmpDM" prefixes, once per process; the
// toolkit stays up until the process ends. Throws ReviewError when it cannot start.
void ready();

}  // namespace marrowick::Exempi
