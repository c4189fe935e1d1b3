// A parsed XML document (libxml2) and the few element look-ups the timeline readers need.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace marrowick {

using XmlElement = const _xmlNode*;

class XmlDocument {
public:
    // Parses without network access, external entities or entity substitution. Throws
    // ReviewError "The cut list cannot be read: it is not well-formed XML." otherwise.
    explicit XmlDocument(std::string_view text);

    XmlElement root() const;

    static std::string name(XmlElement element);
    static std::optional<std::string> attribute(XmlElement element, const char* name);
    // The element's text with surrounding white space removed.
    static std::string text(XmlElement element);
    // Element children, all or only those of one name, in document order.
    static std::vector<XmlElement> children(XmlElement element, std::string_view name = {});
    static XmlElement child(XmlElement element, std::string_view name);
    // The first element of that name in document order, the element itself included.
    static XmlElement find(XmlElement element, std::string_view name);

private:
    struct Free {
        void operator()(_xmlDoc* document) const;
    };
    std::unique_ptr<_xmlDoc, Free> document_;
};

}  // namespace marrowick
