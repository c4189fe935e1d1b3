// The toolkit's one-time start.
#include "disclosure/internal/exempi.h"

#include <mutex>

#include "model/review_error.h"

namespace marrowick::Exempi {
namespace {

bool start() {
    if (!xmp_init()) return false;
    const StringPtr prefix = newString();
    xmp_register_namespace(kIptcExtension, "Iptc4xmpExt", prefix.get());
    xmp_register_namespace(kDynamicMedia, "xmpDM", prefix.get());
    return true;
}

}  // namespace

void ready() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] { started = start(); });
    if (!started) throw ReviewError("Cannot start the XMP toolkit (exempi).");
}

}  // namespace marrowick::Exempi
