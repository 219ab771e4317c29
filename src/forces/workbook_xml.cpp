#include "forces/workbook_xml.h"

#include <expat.h>

#include <cctype>
#include <new>

#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma::xlsx {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

bool SameText(std::string_view a, std::string_view b) {
  return Lower(TrimBlanks(a)) == Lower(TrimBlanks(b));
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// One pass over the name: it is seen for every element of a sheet.
std::string_view LocalName(const char* name) {
  const char* local = name;
  const char* end = name;
  for (; *end != '\0'; ++end) {
    if (*end == ':') local = end + 1;
  }
  return std::string_view(local, static_cast<std::size_t>(end - local));
}

const char* Attribute(const char** attributes, std::string_view local) {
  for (int i = 0; attributes[i] != nullptr; i += 2) {
    if (LocalName(attributes[i]) == local) return attributes[i + 1];
  }
  return nullptr;
}

XmlParse::XmlParse(XmlHandler& handler) : handler_(handler) {
  parser_ = XML_ParserCreate(nullptr);
  if (parser_ == nullptr) throw std::bad_alloc();
  XML_SetUserData(parser_, this);
  XML_SetElementHandler(parser_, &XmlParse::OnStart, &XmlParse::OnEnd);
  XML_SetCharacterDataHandler(parser_, &XmlParse::OnText);
  XML_SetStartDoctypeDeclHandler(parser_, &XmlParse::OnDoctype);
  XML_SetXmlDeclHandler(parser_, &XmlParse::OnDeclaration);
}

XmlParse::~XmlParse() { XML_ParserFree(parser_); }

bool XmlParse::Feed(const char* data, std::size_t length, bool last, const std::string& part) {
  if (XML_Parse(parser_, data, static_cast<int>(length), last ? XML_TRUE : XML_FALSE) !=
      XML_STATUS_ERROR)
    return true;
  if (failure_) std::rethrow_exception(failure_);
  if (handler_.Stopped()) return false;
  if (doctype_) throw Error("部件 " + Quoted(part) + " 含有文档类型定义 (DTD), 工作簿中不应有");
  throw Error("部件 " + Quoted(part) + " 不是完好的 XML (第 " +
              FormatInt(static_cast<long long>(XML_GetCurrentLineNumber(parser_))) +
              " 行: " + XML_ErrorString(XML_GetErrorCode(parser_)) + ")");
}

template <typename Action>
void XmlParse::Guard(void* self, Action action) {
  auto* parse = static_cast<XmlParse*>(self);
  if (parse->failure_) return;
  try {
    action(parse->handler_);
    if (parse->handler_.Stopped()) {
      parse->stopOffset_ = static_cast<long long>(XML_GetCurrentByteIndex(parse->parser_));
      XML_StopParser(parse->parser_, XML_FALSE);
    }
  } catch (...) {
    parse->failure_ = std::current_exception();
    XML_StopParser(parse->parser_, XML_FALSE);
  }
}

namespace {

std::string_view Qualified(const char* name, std::string_view local) {
  return std::string_view(name, static_cast<std::size_t>(local.data() - name) + local.size());
}

}  // namespace

void XmlParse::OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
  Guard(self, [&](XmlHandler& h) {
    const std::string_view local = LocalName(name);
    h.qualified_ = Qualified(name, local);
    h.Start(local, attributes);
  });
}

void XmlParse::OnEnd(void* self, const XML_Char* name) {
  Guard(self, [&](XmlHandler& h) {
    const std::string_view local = LocalName(name);
    h.qualified_ = Qualified(name, local);
    h.End(local);
  });
}

void XmlParse::OnText(void* self, const XML_Char* text, int length) {
  Guard(self, [&](XmlHandler& h) { h.Text(text, length); });
}

// Entity definitions are how XML bombs are built; no workbook has any.
void XmlParse::OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto* parse = static_cast<XmlParse*>(self);
  parse->doctype_ = true;
  XML_StopParser(parse->parser_, XML_FALSE);
}

void XmlParse::OnDeclaration(void* self, const XML_Char*, const XML_Char* encoding, int) {
  auto* parse = static_cast<XmlParse*>(self);
  try {
    if (encoding != nullptr) parse->encoding_ = encoding;
  } catch (...) {
    parse->failure_ = std::current_exception();
    XML_StopParser(parse->parser_, XML_FALSE);
  }
}

}  // namespace kuma::xlsx
