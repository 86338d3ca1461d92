#include "rss/FeedWalk.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>

#include <climits>
#include <cstdio>
#include <memory>

namespace rss {

namespace {

constexpr const char* kAtomNs = "http://www.w3.org/2005/Atom";
constexpr const char* kRdfNs = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr const char* kRss10Ns = "http://purl.org/rss/1.0/";
constexpr const char* kRss09Ns = "http://my.netscape.com/rdf/simple/0.9/";
constexpr const char* kDcNs = "http://purl.org/dc/elements/1.1/";

// No document may make the parser open anything: external entities and
// DTDs are refused whatever the parse options say.
xmlParserInputPtr RefuseExternal(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

void InitOnce() {
  static const bool done = [] {
    xmlInitParser();
    xmlSetExternalEntityLoader(&RefuseExternal);
    return true;
  }();
  (void)done;
}

struct DocFree {
  void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct CtxtFree {
  void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};
struct BufferFree {
  void operator()(xmlBuffer* b) const { xmlBufferFree(b); }
};

std::string Str(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

bool Is(const xmlChar* a, const char* b) { return a && xmlStrEqual(a, reinterpret_cast<const xmlChar*>(b)); }

bool IsBlank(const xmlNode* node) {
  if (node->type != XML_TEXT_NODE) return false;
  for (const xmlChar* c = node->content; c && *c; ++c)
    if (*c != ' ' && *c != '\t' && *c != '\n' && *c != '\r') return false;
  return true;
}

// Children and siblings as the walk sees them: blank text between
// elements is no node.
const xmlNode* Significant(const xmlNode* node) {
  while (node && IsBlank(node)) node = node->next;
  return node;
}
const xmlNode* FirstChild(const xmlNode* node) { return Significant(node->children); }
const xmlNode* NextSibling(const xmlNode* node) { return Significant(node->next); }

// The element's name as written: "prefix:name" or "name".
std::string QualifiedName(const xmlNode* node) {
  std::string name = Str(node->name);
  if (node->ns && node->ns->prefix) name = Str(node->ns->prefix) + ":" + name;
  return name;
}

const char* NamespaceOf(const xmlNode* node) {
  return node->ns && node->ns->href ? reinterpret_cast<const char*>(node->ns->href) : nullptr;
}

bool IsElement(const xmlNode* node, const char* localName, const char* ns) {
  if (!node || node->type != XML_ELEMENT_NODE || !Is(node->name, localName)) return false;
  const char* own = NamespaceOf(node);
  if (!ns) return own == nullptr;
  return own && std::string_view(own) == ns;
}

// The first child element called `qualifiedName` as written, or null.
const xmlNode* ChildByName(const xmlNode* parent, const std::string& qualifiedName) {
  for (const xmlNode* c = FirstChild(parent); c; c = NextSibling(c))
    if (c->type == XML_ELEMENT_NODE && QualifiedName(c) == qualifiedName) return c;
  return nullptr;
}

// The first child element `localName` in namespace `ns`, or null.
const xmlNode* Child(const xmlNode* parent, const char* localName, const char* ns) {
  for (const xmlNode* c = FirstChild(parent); c; c = NextSibling(c))
    if (IsElement(c, localName, ns)) return c;
  return nullptr;
}

// The text rule. A missing element is present and empty.
std::string Text(const xmlNode* element) {
  if (!element) return {};
  const xmlNode* only = FirstChild(element);
  if (!only) return {};
  if (NextSibling(only) || (only->type != XML_TEXT_NODE && only->type != XML_CDATA_SECTION_NODE)) {
    throw FeedError("The feed's element \"" + QualifiedName(element) +
                    "\" holds markup or several pieces where a text belongs.");
  }
  return Str(only->content);
}

std::string Attribute(const xmlNode* element, const char* name) {
  if (!element) return {};
  xmlChar* value = xmlGetNoNsProp(element, reinterpret_cast<const xmlChar*>(name));
  std::string text = Str(value);
  xmlFree(value);
  return text;
}

// The markup of `element`'s children, as the document has it.
std::string InnerMarkup(const xmlNode* element) {
  std::unique_ptr<xmlBuffer, BufferFree> buffer(xmlBufferCreate());
  for (xmlNode* c = element->children; c; c = c->next) xmlNodeDump(buffer.get(), element->doc, c, 0, 0);
  return Str(xmlBufferContent(buffer.get()));
}

std::vector<FeedItem> WalkRss2(const xmlNode* root) {
  const xmlNode* channel = FirstChild(root);
  const xmlNode* first = channel ? ChildByName(channel, "item") : nullptr;
  if (!first) throw FeedError("The feed has no item.");
  std::vector<FeedItem> items;
  // Whatever follows the first item is taken as an item as well.
  for (const xmlNode* node = first; node; node = NextSibling(node)) {
    FeedItem item;
    item.title = Text(ChildByName(node, "title"));
    item.link = Text(ChildByName(node, "link"));
    item.description = Text(ChildByName(node, "description"));
    item.pubDate = Text(ChildByName(node, "pubDate"));
    item.category = Text(ChildByName(node, "category"));
    item.author = Text(ChildByName(node, "author"));
    items.push_back(std::move(item));
  }
  return items;
}

std::string AtomLink(const xmlNode* entry) {
  for (const xmlNode* c = FirstChild(entry); c; c = NextSibling(c)) {
    if (!IsElement(c, "link", kAtomNs)) continue;
    const std::string rel = Attribute(c, "rel");
    if (rel.empty() || rel == "alternate") return Attribute(c, "href");
  }
  return {};
}

std::vector<FeedItem> WalkAtom(const xmlNode* root) {
  std::vector<FeedItem> items;
  for (const xmlNode* entry = FirstChild(root); entry; entry = NextSibling(entry)) {
    if (!IsElement(entry, "entry", kAtomNs)) continue;
    FeedItem item;
    item.title = Text(Child(entry, "title", kAtomNs));
    item.link = AtomLink(entry);
    if (const xmlNode* summary = Child(entry, "summary", kAtomNs)) {
      item.description = Text(summary);
    } else if (const xmlNode* content = Child(entry, "content", kAtomNs)) {
      item.description = Attribute(content, "type") == "xhtml" ? InnerMarkup(content) : Text(content);
    }
    const xmlNode* date = Child(entry, "updated", kAtomNs);
    if (!date) date = Child(entry, "published", kAtomNs);
    item.pubDate = Rfc822FromW3cDate(Text(date));
    item.category = Attribute(Child(entry, "category", kAtomNs), "term");
    if (const xmlNode* author = Child(entry, "author", kAtomNs)) item.author = Text(Child(author, "name", kAtomNs));
    items.push_back(std::move(item));
  }
  if (items.empty()) throw FeedError("The feed has no item.");
  return items;
}

std::vector<FeedItem> WalkRss1(const xmlNode* root) {
  std::vector<FeedItem> items;
  for (const xmlNode* node = FirstChild(root); node; node = NextSibling(node)) {
    if (node->type != XML_ELEMENT_NODE || !Is(node->name, "item")) continue;
    const char* ns = NamespaceOf(node);
    if (ns && std::string_view(ns) != kRss10Ns && std::string_view(ns) != kRss09Ns) continue;
    FeedItem item;
    item.title = Text(Child(node, "title", ns));
    item.link = Text(Child(node, "link", ns));
    item.description = Text(Child(node, "description", ns));
    item.pubDate = Rfc822FromW3cDate(Text(Child(node, "date", kDcNs)));
    item.category = Text(Child(node, "subject", kDcNs));
    item.author = Text(Child(node, "creator", kDcNs));
    items.push_back(std::move(item));
  }
  if (items.empty()) throw FeedError("The feed has no item.");
  return items;
}

std::string ParseErrorText(xmlParserCtxt* ctxt) {
  const xmlError* error = ctxt ? &ctxt->lastError : nullptr;
  std::string message = error && error->message ? error->message : "unknown error";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  std::string text = "The feed is not well-formed XML";
  if (error && error->line > 0) text += " (line " + std::to_string(error->line) + ")";
  return text + ": " + message + ".";
}

// --- dates ------------------------------------------------------------

bool Digits(std::string_view s, std::size_t at, std::size_t count, int& value) {
  if (at + count > s.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}

// 0 = Sunday. Days from the civil calendar (proleptic Gregorian).
int Weekday(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const long days = long(era) * 146097 + doe - 719468;  // days since 1970-01-01, a Thursday
  return int(((days % 7) + 7 + 4) % 7);
}

}  // namespace

std::string Rfc822FromW3cDate(std::string_view raw) {
  std::string_view s = raw;
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\n' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
    s.remove_suffix(1);
  const std::string unchanged(raw);
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!Digits(s, 0, 4, year) || s.size() < 10 || s[4] != '-' || !Digits(s, 5, 2, month) || s[7] != '-' ||
      !Digits(s, 8, 2, day))
    return unchanged;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return unchanged;
  char sign = '+';
  int offsetHours = 0, offsetMinutes = 0;
  std::size_t i = 10;
  if (i < s.size()) {
    if (s[i] != 'T' && s[i] != 't' && s[i] != ' ') return unchanged;
    ++i;
    if (!Digits(s, i, 2, hour) || i + 2 >= s.size() || s[i + 2] != ':' || !Digits(s, i + 3, 2, minute))
      return unchanged;
    i += 5;
    if (i < s.size() && s[i] == ':') {
      if (!Digits(s, i + 1, 2, second)) return unchanged;
      i += 3;
      if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        if (i == start) return unchanged;
      }
    }
    if (hour > 23 || minute > 59 || second > 60) return unchanged;
    if (i < s.size()) {
      if (s[i] == 'Z' || s[i] == 'z') {
        ++i;
      } else if (s[i] == '+' || s[i] == '-') {
        sign = s[i];
        ++i;
        if (!Digits(s, i, 2, offsetHours)) return unchanged;
        i += 2;
        if (i < s.size() && s[i] == ':') ++i;
        if (!Digits(s, i, 2, offsetMinutes)) return unchanged;
        i += 2;
        if (offsetHours > 23 || offsetMinutes > 59) return unchanged;
      } else {
        return unchanged;
      }
    }
    if (i != s.size()) return unchanged;
  }
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d", kDays[Weekday(year, month, day)],
                day, kMonths[month - 1], year, hour, minute, second, sign, offsetHours, offsetMinutes);
  return text;
}

std::vector<FeedItem> ReadFeed(std::string_view bytes) {
  InitOnce();
  if (bytes.size() > std::size_t(INT_MAX)) throw FeedError("The feed is too large.");
  std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
  if (!ctxt) throw FeedError("The feed cannot be read: out of memory.");
  // No network, no DTD, no entity substitution: entities stay references
  // (and a field holding one is not text). Errors are kept, not printed.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  std::unique_ptr<xmlDoc, DocFree> doc(
      xmlCtxtReadMemory(ctxt.get(), bytes.data(), int(bytes.size()), nullptr, nullptr, options));
  if (!doc || !ctxt->wellFormed) throw FeedError(ParseErrorText(ctxt.get()));
  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (!root) throw FeedError("The feed has no item.");
  if (IsElement(root, "feed", kAtomNs)) return WalkAtom(root);
  if (IsElement(root, "RDF", kRdfNs)) return WalkRss1(root);
  return WalkRss2(root);
}

}  // namespace rss
