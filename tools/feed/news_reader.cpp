#include "tools/feed/news_reader.h"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <mutex>

#include "tools/feed/quote_source.h"

namespace feed {

namespace {

constexpr const char* kAtom = "http://www.w3.org/2005/Atom";
constexpr const char* kRdf = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr const char* kRss10 = "http://purl.org/rss/1.0/";
constexpr const char* kRss090 = "http://my.netscape.com/rdf/simple/0.9/";

struct DocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using Doc = std::unique_ptr<xmlDoc, DocFree>;

// The element's namespace is `ns` (nullptr: none).
bool inNamespace(const xmlNode* node, const char* ns) {
  const char* href = node->ns ? reinterpret_cast<const char*>(node->ns->href) : nullptr;
  if (!ns || !href) return ns == href;
  return std::strcmp(ns, href) == 0;
}

bool isElement(const xmlNode* node, const char* name, const char* ns) {
  return node->type == XML_ELEMENT_NODE &&
         std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0 && inNamespace(node, ns);
}

const xmlNode* child(const xmlNode* parent, const char* name, const char* ns) {
  if (!parent) return nullptr;
  for (const xmlNode* node = parent->children; node; node = node->next) {
    if (isElement(node, name, ns)) return node;
  }
  return nullptr;
}

std::string contentOf(const xmlNode* node) {
  xmlChar* text = xmlNodeGetContent(node);
  std::string out = text ? reinterpret_cast<const char*>(text) : "";
  xmlFree(text);
  return out;
}

// A title may still hold HTML: Atom's type="html", or an RSS title escaped twice
// ("Caf&amp;eacute;"). The HTML parser decodes its entities and drops its tags.
bool holdsHtml(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const char next = text[i + 1];
    if (text[i] == '&' && (std::isalpha(static_cast<unsigned char>(next)) || next == '#')) {
      return true;
    }
    if (text[i] == '<' && (std::isalpha(static_cast<unsigned char>(next)) || next == '/')) {
      return true;
    }
  }
  return false;
}

std::string htmlText(const std::string& html) {
  const std::string page = "<html><body>" + html + "</body></html>";
  const int options = HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                      HTML_PARSE_RECOVER | HTML_PARSE_NOIMPLIED;
  Doc doc(htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, "UTF-8", options));
  if (!doc) return html;
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  return root ? contentOf(root) : html;
}

std::string titleOf(const xmlNode* parent, const char* ns) {
  const xmlNode* title = child(parent, "title", ns);
  if (!title) return {};
  std::string text = contentOf(title);
  if (holdsHtml(text)) text = htmlText(text);
  return plainText(text);
}

// Adds the titles of the `name` elements under `parent`.
void addItems(const xmlNode* parent, const char* name, const char* ns, Headlines& out) {
  for (const xmlNode* node = parent->children; node; node = node->next) {
    if (out.items.size() == kMaxHeadlinesPerFeed) return;
    if (!isElement(node, name, ns)) continue;
    std::string title = titleOf(node, ns);
    if (!title.empty()) out.items.push_back(std::move(title));
  }
}

// The charset an HTTP Content-Type names, for a document that declares none itself.
std::string declaredElsewhere(const std::string& body, const std::string& contentType) {
  const std::string start = body.substr(0, 200);
  if (start.starts_with("\xEF\xBB\xBF") || start.starts_with("\xFE\xFF") ||
      start.starts_with("\xFF\xFE")) {
    return {};
  }
  const size_t declarationEnd = start.starts_with("<?xml") ? start.find("?>") : std::string::npos;
  if (declarationEnd != std::string::npos &&
      start.substr(0, declarationEnd).find("encoding") != std::string::npos) {
    return {};
  }
  const size_t at = contentType.find("charset=");
  if (at == std::string::npos) return {};
  std::string charset = contentType.substr(at + 8);
  charset = charset.substr(0, charset.find_first_of("; "));
  std::erase(charset, '"');
  return charset;
}

}  // namespace

std::string readFeed(const std::string& body, const std::string& contentType, Headlines& out) {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
  if (looksLikeHtml(contentType, body)) return "an HTML page where a feed was expected";
  const std::string charset = declaredElsewhere(body, contentType);
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                      XML_PARSE_NOCDATA | XML_PARSE_RECOVER;
  Doc doc(xmlReadMemory(body.data(), static_cast<int>(body.size()), nullptr,
                        charset.empty() ? nullptr : charset.c_str(), options));
  const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
  if (!root) return "not XML";
  Headlines headlines;
  if (isElement(root, "rss", nullptr)) {
    const xmlNode* channel = child(root, "channel", nullptr);
    if (!channel) return "an RSS document without a channel";
    headlines.title = titleOf(channel, nullptr);
    if (headlines.title.empty())
      headlines.title = titleOf(child(channel, "image", nullptr), nullptr);
    addItems(channel, "item", nullptr, headlines);
  } else if (isElement(root, "RDF", kRdf)) {
    const char* ns = child(root, "channel", kRss090) ? kRss090 : kRss10;
    headlines.title = titleOf(child(root, "channel", ns), ns);
    if (headlines.title.empty()) headlines.title = titleOf(child(root, "image", ns), ns);
    addItems(root, "item", ns, headlines);
  } else if (isElement(root, "feed", kAtom)) {
    headlines.title = titleOf(root, kAtom);
    addItems(root, "entry", kAtom, headlines);
  } else {
    return "not an RSS or Atom feed";
  }
  out = std::move(headlines);
  return {};
}

}  // namespace feed
