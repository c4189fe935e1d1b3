// libxml2 parsing with safe options and element navigation.
#include "interchange/internal/xml_document.h"

#include <climits>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include "model/review_error.h"

namespace marrowick {

namespace {

constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;

// libxml2 reports some failures (bad encodings) through its per-thread error handlers even
// with NOERROR; the caller's message says what went wrong, so they stay silent.
void ignoreGenericError(void*, const char*, ...) {}
void ignoreStructuredError(void*, xmlErrorPtr) {}

bool named(XmlElement element, std::string_view name) {
    return name.empty() || std::string_view(reinterpret_cast<const char*>(element->name)) == name;
}

}  // namespace

void XmlDocument::Free::operator()(_xmlDoc* document) const { xmlFreeDoc(document); }

XmlDocument::XmlDocument(std::string_view text) {
    xmlSetGenericErrorFunc(nullptr, ignoreGenericError);
    xmlSetStructuredErrorFunc(nullptr, ignoreStructuredError);
    if (text.size() < INT_MAX)
        document_.reset(xmlReadMemory(text.data(), int(text.size()), nullptr, nullptr, kParseOptions));
    if (!document_ || !xmlDocGetRootElement(document_.get()))
        throw ReviewError("The cut list cannot be read: it is not well-formed XML.");
}

XmlElement XmlDocument::root() const { return xmlDocGetRootElement(document_.get()); }

std::string XmlDocument::name(XmlElement element) { return reinterpret_cast<const char*>(element->name); }

std::optional<std::string> XmlDocument::attribute(XmlElement element, const char* name) {
    xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
    if (!value) return std::nullopt;
    std::string result = reinterpret_cast<const char*>(value);
    xmlFree(value);
    return result;
}

std::string XmlDocument::text(XmlElement element) {
    xmlChar* value = xmlNodeGetContent(element);
    if (!value) return {};
    std::string result = reinterpret_cast<const char*>(value);
    xmlFree(value);
    const std::size_t first = result.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return result.substr(first, result.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<XmlElement> XmlDocument::children(XmlElement element, std::string_view name) {
    std::vector<XmlElement> result;
    for (const xmlNode* node = element->children; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE && named(node, name)) result.push_back(node);
    return result;
}

XmlElement XmlDocument::child(XmlElement element, std::string_view name) {
    for (const xmlNode* node = element->children; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE && named(node, name)) return node;
    return nullptr;
}

XmlElement XmlDocument::find(XmlElement element, std::string_view name) {
    // Iterative pre-order walk: the depth of a hostile document does not reach the stack.
    const xmlNode* node = element;
    while (node) {
        if (node->type == XML_ELEMENT_NODE && named(node, name)) return node;
        if (node->type == XML_ELEMENT_NODE && node->children) {
            node = node->children;
            continue;
        }
        while (node && node != element && !node->next) node = node->parent;
        if (!node || node == element) return nullptr;
        node = node->next;
    }
    return nullptr;
}

}  // namespace marrowick
