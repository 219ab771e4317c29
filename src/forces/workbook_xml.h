#pragma once
// The parts of a workbook are parsed as they stream by: expat behind a
// handler that sees elements and text as expat finds them and may stop the
// parse once it has what it needs. Also the small text helpers every reader
// of the parts uses.

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

struct XML_ParserStruct;

namespace kuma::xlsx {

std::string Quoted(const std::string& text);
std::string Lower(std::string_view text);
std::string_view TrimBlanks(std::string_view text);
// Equal without regard to case and blanks at the ends.
bool SameText(std::string_view a, std::string_view b);
bool EndsWith(std::string_view text, std::string_view end);

// The local part of an element or attribute name ("x:row" -> "row",
// "r:id" -> "id"). Parts are parsed without namespace processing, which
// would copy the namespace's address into every name of a million cells.
std::string_view LocalName(const char* name);
// The value of the first attribute whose local name is `local`, or null.
const char* Attribute(const char** attributes, std::string_view local);

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void Start(std::string_view name, const char** attributes) = 0;
  virtual void End(std::string_view name) = 0;
  virtual void Text(const char*, int) {}
  bool Stopped() const { return stopped_; }

 protected:
  void Stop() { stopped_ = true; }
  // The element's name with its prefix, during Start and End.
  std::string_view QualifiedName() const { return qualified_; }

 private:
  friend class XmlParse;
  bool stopped_ = false;
  std::string_view qualified_;
};

// The parser of one part. A C++ exception must not cross expat's C frames:
// a handler's failure is kept, the parse stopped, and the failure raised
// again once expat has returned.
class XmlParse {
 public:
  explicit XmlParse(XmlHandler& handler);
  ~XmlParse();
  XmlParse(const XmlParse&) = delete;
  XmlParse& operator=(const XmlParse&) = delete;

  // Feeds a block; returns false once the handler has stopped the parse.
  // Raises kuma::Error naming `part` when the XML is not well formed.
  bool Feed(const char* data, std::size_t length, bool last, const std::string& part);

  // Where, in the bytes fed, the event the handler stopped at begins.
  long long StopOffset() const { return stopOffset_; }
  // The encoding the XML declaration names, or empty.
  const std::string& Encoding() const { return encoding_; }

 private:
  template <typename Action>
  static void Guard(void* self, Action action);
  static void OnStart(void* self, const char* name, const char** attributes);
  static void OnEnd(void* self, const char* name);
  static void OnText(void* self, const char* text, int length);
  static void OnDoctype(void* self, const char*, const char*, const char*, int);
  static void OnDeclaration(void* self, const char*, const char* encoding, int);

  XmlHandler& handler_;
  XML_ParserStruct* parser_ = nullptr;
  std::exception_ptr failure_;
  bool doctype_ = false;
  long long stopOffset_ = -1;
  std::string encoding_;
};

}  // namespace kuma::xlsx
