// Reading .xlsx workbooks: libzip opens the package and inflates its parts
// in blocks, expat parses each part as it streams by, so a sheet of a million
// cells never stands in memory as XML, only as the CSV text it becomes.
#include "forces/workbook.h"

#include <expat.h>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr int kMaxColumn = 16384;          // XFD
constexpr long long kMaxRow = 1048576;     // Excel's last row
constexpr std::size_t kHeadRows = 3;       // title, names, units

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

// The local part of an element or attribute name ("x:row" -> "row",
// "r:id" -> "id"). Parts are parsed without namespace processing, which
// would copy the namespace's address into every name of a million cells.
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

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// ---------------------------------------------------------------------------
// Streaming XML: a part's handler sees elements and text as expat finds them
// and may stop the parse once it has what it needs.

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
  explicit XmlParse(XmlHandler& handler) : handler_(handler) {
    parser_ = XML_ParserCreate(nullptr);
    if (parser_ == nullptr) throw std::bad_alloc();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &XmlParse::OnStart, &XmlParse::OnEnd);
    XML_SetCharacterDataHandler(parser_, &XmlParse::OnText);
    XML_SetStartDoctypeDeclHandler(parser_, &XmlParse::OnDoctype);
    XML_SetXmlDeclHandler(parser_, &XmlParse::OnDeclaration);
  }
  ~XmlParse() { XML_ParserFree(parser_); }
  XmlParse(const XmlParse&) = delete;
  XmlParse& operator=(const XmlParse&) = delete;

  // Feeds a block; returns false once the handler has stopped the parse.
  bool Feed(const char* data, std::size_t length, bool last, const std::string& part) {
    if (XML_Parse(parser_, data, static_cast<int>(length), last ? XML_TRUE : XML_FALSE) !=
        XML_STATUS_ERROR)
      return true;
    if (failure_) std::rethrow_exception(failure_);
    if (handler_.Stopped()) return false;
    if (doctype_) throw Error("部件 " + Quoted(part) + " 含有文档类型定义 (DTD), 工作簿中不应有");
    throw Error("部件 " + Quoted(part) + " 不是完好的 XML (第 " +
                FormatInt(static_cast<long long>(XML_GetCurrentLineNumber(parser_))) + " 行: " +
                XML_ErrorString(XML_GetErrorCode(parser_)) + ")");
  }

  // Where, in the bytes fed, the event the handler stopped at begins.
  long long StopOffset() const { return stopOffset_; }
  // The encoding the XML declaration names, or empty.
  const std::string& Encoding() const { return encoding_; }

 private:
  template <typename Action>
  static void Guard(void* self, Action action) {
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
  static std::string_view Qualified(const char* name, std::string_view local) {
    return std::string_view(name, static_cast<std::size_t>(local.data() - name) + local.size());
  }
  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    Guard(self, [&](XmlHandler& h) {
      const std::string_view local = LocalName(name);
      h.qualified_ = Qualified(name, local);
      h.Start(local, attributes);
    });
  }
  static void OnEnd(void* self, const XML_Char* name) {
    Guard(self, [&](XmlHandler& h) {
      const std::string_view local = LocalName(name);
      h.qualified_ = Qualified(name, local);
      h.End(local);
    });
  }
  static void OnText(void* self, const XML_Char* text, int length) {
    Guard(self, [&](XmlHandler& h) { h.Text(text, length); });
  }
  // Entity definitions are how XML bombs are built; no workbook has any.
  static void OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto* parse = static_cast<XmlParse*>(self);
    parse->doctype_ = true;
    XML_StopParser(parse->parser_, XML_FALSE);
  }
  static void OnDeclaration(void* self, const XML_Char*, const XML_Char* encoding, int) {
    auto* parse = static_cast<XmlParse*>(self);
    try {
      if (encoding != nullptr) parse->encoding_ = encoding;
    } catch (...) {
      parse->failure_ = std::current_exception();
      XML_StopParser(parse->parser_, XML_FALSE);
    }
  }

  XmlHandler& handler_;
  XML_Parser parser_ = nullptr;
  std::exception_ptr failure_;
  bool doctype_ = false;
  long long stopOffset_ = -1;
  std::string encoding_;
};

// ---------------------------------------------------------------------------
// The zip package.

struct ZipDiscard {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class Package {
 public:
  Package(const std::string& path, const WorkbookLimits& limits) : path_(path), limits_(limits) {
    int error = 0;
    zip_.reset(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!zip_) {
      zip_error_t why;
      zip_error_init_with_code(&why, error);
      const std::string reason = zip_error_strerror(&why);
      zip_error_fini(&why);
      throw Error("文件 " + Quoted(path) + " 不是 Excel 工作簿 (.xlsx): 不能作为 zip 压缩包打开 (" +
                  reason + ")");
    }
  }

  bool Has(const std::string& part) const {
    return zip_name_locate(zip_.get(), part.c_str(), 0) >= 0;
  }

  // Streams a part through `handler`; false when the package has no such part.
  bool Parse(const std::string& part, XmlHandler& handler) {
    XmlParse parse(handler);
    return Inflate(part, [&](const char* data, std::size_t size, bool last) {
      return parse.Feed(data, size, last, part);
    });
  }

  // The size the part declares (0 when it declares none or is absent).
  std::uint64_t DeclaredSize(const std::string& part) const {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(zip_.get(), part.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
      return 0;
    return stat.size;
  }

  // The bytes inflated so far, counted against the bound on all parts; a
  // read given up and done again sets the count back.
  std::uint64_t Inflated() const { return total_; }
  void SetInflated(std::uint64_t total) { total_ = total; }

  // Inflates a part in blocks and hands each to `take(data, size, last)`
  // (the last one empty) until it returns false; false when the package
  // has no such part.
  template <typename Take>
  bool Inflate(const std::string& part, Take take) {
    const zip_int64_t index = zip_name_locate(zip_.get(), part.c_str(), 0);
    if (index < 0) return false;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip_.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0)
      throw Error(Where(part) + "无法读取 (" + zip_strerror(zip_.get()) + ")");
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
      throw Error(Where(part) + "是加密的, 不能读取");
    const std::uint64_t declared = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
    const std::uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
    CheckSize(part, declared, packed);
    std::unique_ptr<zip_file_t, ZipFileClose> file(
        zip_fopen_index(zip_.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file) throw Error(Where(part) + "无法解压 (" + zip_strerror(zip_.get()) + ")");

    std::vector<char> buffer(1 << 20);
    std::uint64_t inflated = 0;
    for (;;) {
      const zip_int64_t n = zip_fread(file.get(), buffer.data(), buffer.size());
      if (n < 0) throw Error(Where(part) + "已损坏 (" + zip_file_strerror(file.get()) + ")");
      inflated += static_cast<std::uint64_t>(n);
      total_ += static_cast<std::uint64_t>(n);
      // The declared size may lie: the bounds hold for the bytes inflated.
      CheckSize(part, inflated, packed);
      if (!take(buffer.data(), static_cast<std::size_t>(n), n == 0)) return true;
      if (n == 0) return true;
    }
  }

 private:
  std::string Where(const std::string& part) const {
    return "工作簿 " + Quoted(path_) + " 的部件 " + Quoted(part) + " ";
  }

  void CheckSize(const std::string& part, std::uint64_t bytes, std::uint64_t packed) const {
    auto refuse = [&](const std::string& why) {
      throw Error(Where(part) + why + ", 不像是真实的工作簿 (可能是恶意构造的压缩包), 拒绝读取");
    };
    if (bytes > limits_.entryBytes) {
      refuse("解压后超过 " + FormatInt(static_cast<long long>(limits_.entryBytes)) + " 字节");
    }
    if (total_ > limits_.totalBytes) {
      refuse("使各部件解压后总共超过 " + FormatInt(static_cast<long long>(limits_.totalBytes)) +
             " 字节");
    }
    if (bytes > limits_.ratioFloorBytes && packed > 0 &&
        static_cast<double>(bytes) > limits_.ratio * static_cast<double>(packed)) {
      refuse("解压后是压缩数据的 " + FormatInt(static_cast<long long>(bytes / packed)) +
             " 倍以上");
    }
  }

  std::string path_;
  WorkbookLimits limits_;
  std::unique_ptr<zip_t, ZipDiscard> zip_;
  std::uint64_t total_ = 0;
};

// ---------------------------------------------------------------------------
// The package's small parts: relationships, the workbook, shared strings and
// number formats.

struct Relationship {
  std::string id, type, target;
};

class RelationshipsReader : public XmlHandler {
 public:
  std::vector<Relationship> list;
  void Start(std::string_view name, const char** a) override {
    if (name != "Relationship") return;
    const char* id = Attribute(a, "Id");
    const char* type = Attribute(a, "Type");
    const char* target = Attribute(a, "Target");
    if (target != nullptr) list.push_back({id ? id : "", type ? type : "", target});
  }
  void End(std::string_view) override {}
};

// `target` relative to the folder of `from` ("xl/workbook.xml"), or from the
// package root when it starts with '/'; "." and ".." resolved.
std::string ResolvePart(const std::string& from, const std::string& target) {
  std::string base = target.rfind('/', 0) == 0 ? std::string()
                                                : from.substr(0, from.find_last_of('/') + 1);
  std::vector<std::string> parts;
  std::string joined = base + target;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    const std::string piece = joined.substr(start, slash - start);
    if (piece == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!piece.empty() && piece != ".") {
      parts.push_back(piece);
    }
    start = slash + 1;
  }
  std::string part;
  for (const std::string& piece : parts) part += (part.empty() ? "" : "/") + piece;
  return part;
}

std::string RelationshipsOf(const std::string& part) {
  const std::size_t slash = part.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
  return folder + "_rels/" + file + ".rels";
}

struct SheetEntry {
  std::string name, relationship;
};

class WorkbookPartReader : public XmlHandler {
 public:
  std::vector<SheetEntry> sheets;
  bool date1904 = false;
  void Start(std::string_view name, const char** a) override {
    if (name == "sheet") {
      const char* sheetName = Attribute(a, "name");
      const char* id = Attribute(a, "id");  // r:id
      sheets.push_back({sheetName ? sheetName : "", id ? id : ""});
    } else if (name == "workbookPr") {
      const char* flag = Attribute(a, "date1904");
      date1904 = flag != nullptr && (std::strcmp(flag, "1") == 0 || std::strcmp(flag, "true") == 0);
    }
  }
  void End(std::string_view) override {}
};

// Shared strings, kept in one buffer: a workbook of 200 000 distinct labels
// costs their bytes and an offset each.
class SharedStrings : public XmlHandler {
 public:
  std::size_t Count() const { return starts_.size(); }
  std::string_view At(std::size_t i) const {
    const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] : text_.size();
    return std::string_view(text_).substr(starts_[i], end - starts_[i]);
  }
  void Start(std::string_view name, const char**) override {
    if (name == "si") {
      starts_.push_back(text_.size());
      inItem_ = true;
    } else if (name == "rPh") {
      ++phonetic_;  // reading aids of East Asian text, not part of it
    } else if (name == "t") {
      inText_ = inItem_ && phonetic_ == 0;
    }
  }
  void End(std::string_view name) override {
    if (name == "si") inItem_ = false;
    if (name == "rPh") --phonetic_;
    if (name == "t") inText_ = false;
  }
  void Text(const char* s, int n) override {
    if (inText_) text_.append(s, static_cast<std::size_t>(n));
  }

 private:
  std::string text_;
  std::vector<std::size_t> starts_;
  bool inItem_ = false, inText_ = false;
  int phonetic_ = 0;
};

// Whether a number format shows a date or a time: the built-in ones (14-22,
// 45-47 and those of East Asian locales) and custom formats with y, m, d, h
// or s outside quotes, escapes and [colour] brackets.
bool IsDateFormatCode(std::string_view code) {
  bool quoted = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (quoted) {
      quoted = c != '"';
    } else if (c == '"') {
      quoted = true;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is literal (or padding)
    } else if (c == '[') {
      // [h], [mm], [ss] are elapsed times; other brackets are colours or
      // conditions.
      const std::size_t close = code.find(']', i);
      const std::string inside = Lower(code.substr(i + 1, close == std::string_view::npos
                                                               ? std::string_view::npos
                                                               : close - i - 1));
      if (!inside.empty() && inside.find_first_not_of("hms") == std::string::npos) return true;
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (std::strchr("yYmMdDhHsS", c) != nullptr) {
      return true;
    }
  }
  return false;
}

bool IsBuiltInDateFormat(int id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

class StylesReader : public XmlHandler {
 public:
  std::vector<bool> dateStyle;  // per cell style (the s attribute)
  void Start(std::string_view name, const char** a) override {
    if (name == "numFmt") {
      const char* id = Attribute(a, "numFmtId");
      const char* code = Attribute(a, "formatCode");
      if (id != nullptr && code != nullptr) custom_[std::atoi(id)] = IsDateFormatCode(code);
    } else if (name == "cellXfs") {
      inCellXfs_ = true;
    } else if (name == "xf" && inCellXfs_) {
      const char* id = Attribute(a, "numFmtId");
      const int format = id != nullptr ? std::atoi(id) : 0;
      const auto found = custom_.find(format);
      dateStyle.push_back(found != custom_.end() ? found->second : IsBuiltInDateFormat(format));
    }
  }
  void End(std::string_view name) override {
    if (name == "cellXfs") inCellXfs_ = false;
  }

 private:
  std::map<int, bool> custom_;
  bool inCellXfs_ = false;
};

// ---------------------------------------------------------------------------
// Sheets.

enum class CellKind { Number, Text, Date, Error };

// "J17" -> column 10, row 17; false when it is not a cell reference.
bool ParseReference(std::string_view ref, int& column, long long& row) {
  std::size_t i = 0;
  long long col = 0;
  // ASCII letters and digits only, whatever the locale says.
  for (; i < ref.size(); ++i) {
    const char c = ref[i];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') break;
    col = col * 26 + (upper - 'A' + 1);
    if (col > kMaxColumn) return false;
  }
  if (i == 0) return false;
  long long r = 0;
  const std::size_t digits = i;
  for (; i < ref.size() && ref[i] >= '0' && ref[i] <= '9'; ++i) {
    r = r * 10 + (ref[i] - '0');
    if (r > kMaxRow) return false;
  }
  if (i != ref.size()) return false;
  column = static_cast<int>(col);
  row = i == digits ? 0 : r;  // a reference without a row ("J") keeps the row
  return true;
}

// The shortest text that reads back as the same double, with a capital E as
// ETABS and Excel write exponents, in `buffer` (64 bytes).
std::string_view NumberText(double value, char* buffer) {
  char* end = std::to_chars(buffer, buffer + 64, value).ptr;
  for (char* c = buffer; c != end; ++c) {
    if (*c == 'e') *c = 'E';
  }
  return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

std::string NumberText(double value) {
  char buffer[64];
  return std::string(NumberText(value, buffer));
}

// A date serial as yyyy-mm-dd, with hh:mm:ss when it has a time of day.
std::string DateText(double serial, bool date1904) {
  if (!std::isfinite(serial) || serial < 0 || serial > 2958466) return NumberText(serial);
  long long days = static_cast<long long>(std::floor(serial));
  const long long seconds = std::llround((serial - static_cast<double>(days)) * 86400.0);
  // Days from 1970-01-01; the 1900 system counts a 29 February 1900 that
  // never was, so serials from 61 on are one day late.
  if (date1904) {
    days -= 24107;
  } else {
    days -= days >= 61 ? 25569 : 25568;
  }
  // Civil date from days (proleptic Gregorian).
  const long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const long long day = doy - (153 * mp + 2) / 5 + 1;
  const long long month = mp < 10 ? mp + 3 : mp - 9;
  const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  char text[128];
  if (seconds == 0 || seconds == 86400) {
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", year, month, day);
  } else {
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", year, month, day,
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
  }
  return text;
}

// What a sheet's reader needs from the rest of the workbook.
struct SheetContext {
  const std::string* sheetName;
  const SharedStrings* strings;
  const std::vector<bool>* dateStyles;
  bool date1904;
  bool quoted;  // text with a comma or a quote written quoted, as CSV does
};

// Walks the cells of a sheet in order, row by row, each with the text of
// its CSV field.
class SheetReader : public XmlHandler {
 public:
  explicit SheetReader(const SheetContext& context) : context_(context) {}

  // The one-letter names (c, v, t) are most of a sheet's elements.
  void Start(std::string_view name, const char** a) override {
    if (name.size() == 1) {
      if (name[0] == 'c') {
        StartCell(a);
      } else if (name[0] == 'v') {
        if (inCell_) inValue_ = true;
      } else if (name[0] == 't') {
        if (inInline_ && phonetic_ == 0) inValue_ = true;
      }
    } else if (name == "row") {
      const char* r = Attribute(a, "r");
      long long index = row_ + 1;
      if (r != nullptr && !ParseRowNumber(r, index)) Damaged("行号 " + Quoted(r));
      if (index <= row_) Damaged("第 " + FormatInt(index) + " 行不在前一行之后");
      if (rows_++ == 0) {
        firstRow_ = index;
        firstNumbered_ = r != nullptr;
      }
      row_ = index;
      column_ = 0;
    } else if (name == "is") {
      if (inCell_) inInline_ = true;
    } else if (name == "rPh") {
      ++phonetic_;
    }
  }

  void End(std::string_view name) override {
    if (name.size() == 1) {
      if (name[0] == 'v' || name[0] == 't') {
        inValue_ = false;
      } else if (name[0] == 'c' && inCell_) {
        FinishCell();
      }
    } else if (name == "is") {
      inInline_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "row") {
      if (rows_ == 0) stray_ = true;
      OnRowEnd(row_);
    } else if (name == "sheetData") {
      Stop();  // nothing after the cells is read
    }
  }

  void Text(const char* s, int n) override {
    if (inValue_) value_.append(s, static_cast<std::size_t>(n));
  }

 protected:
  // A cell with its text (valid during the call only), and the end of a
  // row (also of one without cells).
  virtual void OnCell(long long row, int column, CellKind kind, std::string_view text) = 0;
  virtual void OnRowEnd(long long row) = 0;

  // What a reader of a piece of the rows needs to join it to the pieces
  // before it: the rows it read, the first one's number and whether the
  // sheet gave that number (else it follows from the rows before), the last
  // one's number, and whether a cell or a row's end came before any row.
  long long Rows() const { return rows_; }
  long long FirstRow() const { return firstRow_; }
  bool FirstRowNumbered() const { return firstNumbered_; }
  long long LastRow() const { return row_; }
  bool Stray() const { return stray_; }

  [[noreturn]] void Damaged(const std::string& what) const {
    throw Error("工作表 " + Quoted(*context_.sheetName) + " 已损坏: " + what);
  }

 private:
  // The t attribute; an absent or unknown one reads as a number.
  enum class CellType { Number, Shared, Boolean, Error, Date, Text };
  static CellType TypeOf(const char* t) {
    if (t == nullptr) return CellType::Number;
    const std::string_view type(t);
    if (type == "s") return CellType::Shared;
    if (type == "b") return CellType::Boolean;
    if (type == "e") return CellType::Error;
    if (type == "d") return CellType::Date;
    if (type == "inlineStr" || type == "str") return CellType::Text;
    return CellType::Number;
  }

  static bool ParseRowNumber(const char* text, long long& row) {
    const char* end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, row);
    return result.ec == std::errc() && result.ptr == end && row >= 1 && row <= kMaxRow;
  }

  void StartCell(const char** a) {
    if (rows_ == 0) stray_ = true;
    inCell_ = true;
    value_.clear();
    // The attributes in one pass (the first of a name counts, as in
    // Attribute), every cell has some.
    const char* r = nullptr;
    const char* type = nullptr;
    const char* style = nullptr;
    for (int i = 0; a[i] != nullptr; i += 2) {
      const std::string_view name = LocalName(a[i]);
      if (name.size() != 1) continue;
      if (name[0] == 'r' && r == nullptr) {
        r = a[i + 1];
      } else if (name[0] == 't' && type == nullptr) {
        type = a[i + 1];
      } else if (name[0] == 's' && style == nullptr) {
        style = a[i + 1];
      }
    }
    int column = column_ + 1;
    long long row = row_;
    if (r != nullptr && !ParseReference(r, column, row)) Damaged("单元格 " + Quoted(r));
    if (row != 0 && row != row_) Damaged("单元格 " + Quoted(r) + " 不在它所在的行");
    if (column <= column_ || column > kMaxColumn) Damaged("单元格 " + Quoted(r ? r : "?") + " 的列");
    column_ = column;
    type_ = TypeOf(type);
    const long style_index = style != nullptr ? std::atol(style) : 0;
    dateStyle_ = style_index >= 0 &&
                 static_cast<std::size_t>(style_index) < context_.dateStyles->size() &&
                 (*context_.dateStyles)[static_cast<std::size_t>(style_index)];
  }

  void FinishCell() {
    inCell_ = inValue_ = inInline_ = false;
    CellKind kind = CellKind::Text;
    std::string_view text = value_;  // inline strings, formula strings
    if (type_ == CellType::Shared) {
      std::size_t index = 0;
      const auto result = std::from_chars(value_.data(), value_.data() + value_.size(), index);
      if (result.ec != std::errc() || index >= context_.strings->Count())
        Damaged("单元格 " + CellReference(column_, row_) + " 引用了不存在的共享字符串");
      text = context_.strings->At(index);
    } else if (type_ == CellType::Boolean) {
      text = TrimBlanks(value_) == "1" ? "TRUE" : "FALSE";
    } else if (type_ == CellType::Error) {
      kind = CellKind::Error;
    } else if (type_ == CellType::Date) {
      kind = CellKind::Date;  // ISO 8601 already
    } else if (type_ == CellType::Number) {
      const std::string_view digits = TrimBlanks(value_);
      if (digits.empty()) return;  // a formatted but empty cell
      double number = 0;
      const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
      if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() ||
          !std::isfinite(number))
        Damaged("单元格 " + CellReference(column_, row_) + " 的数值 " + Quoted(value_));
      if (dateStyle_) {
        kind = CellKind::Date;
        date_ = DateText(number, context_.date1904);
        text = date_;
      } else {
        kind = CellKind::Number;
        text = NumberText(number, number_);
      }
    }
    if (kind == CellKind::Text && text.empty()) return;
    OnCell(row_, column_, kind, text);
  }

  SheetContext context_;
  long long row_ = 0;
  long long rows_ = 0, firstRow_ = 0;
  bool firstNumbered_ = false, stray_ = false;
  int column_ = 0;
  char number_[64];
  std::string value_, date_;
  CellType type_ = CellType::Number;
  bool inCell_ = false, inValue_ = false, inInline_ = false, dateStyle_ = false;
  int phonetic_ = 0;
};

// The first rows of a sheet, as texts.
class HeadReader : public SheetReader {
 public:
  using SheetReader::SheetReader;
  std::vector<std::vector<std::string>> head;

 protected:
  void OnCell(long long row, int column, CellKind, std::string_view text) override {
    if (row > static_cast<long long>(kHeadRows)) {
      Stop();
      return;
    }
    head.resize(std::max(head.size(), static_cast<std::size_t>(row)));
    std::vector<std::string>& cells = head[static_cast<std::size_t>(row) - 1];
    cells.resize(static_cast<std::size_t>(column));
    cells.back() = text;
  }
  void OnRowEnd(long long row) override {
    if (row >= static_cast<long long>(kHeadRows)) {
      Stop();
    } else {
      head.resize(std::max(head.size(), static_cast<std::size_t>(row)));
    }
  }
};

// One CSV field: a comma would split the cell (unless the field is quoted),
// a line break would end the line.
void AppendField(std::string& out, std::string_view text, bool quoted) {
  auto special = [quoted](char c) { return c == ',' || c == '\r' || c == '\n' || (quoted && c == '"'); };
  if (std::none_of(text.begin(), text.end(), special)) {
    out.append(text);
    return;
  }
  if (quoted) out += '"';
  for (char c : text) {
    if (c == ',' && !quoted) {
      out += ';';
    } else if (c == '"' && quoted) {
      out += "\"\"";
    } else if (c == '\r' || c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  if (quoted) out += '"';
}

// The whole sheet as CSV text; date and error cells in the number columns
// from `firstChecked` on are refused.
class TextWriter : public SheetReader {
 public:
  // `piece`: the rows are a piece of the sheet's, written from its first
  // row on (the lines before it are the joiner's).
  TextWriter(const SheetContext& context, std::string& out, const std::vector<std::string>& checked,
             const std::vector<long long>& firstChecked, bool piece = false)
      : SheetReader(context),
        sheetName_(*context.sheetName),
        quoted_(context.quoted),
        out_(out),
        checkedName_(checked),
        firstChecked_(firstChecked),
        written_(piece ? -1 : 0) {}

  using SheetReader::FirstRow;
  using SheetReader::FirstRowNumbered;
  using SheetReader::LastRow;
  using SheetReader::Rows;
  using SheetReader::Stray;

 protected:
  void OnCell(long long row, int column, CellKind kind, std::string_view text) override {
    if (kind == CellKind::Date || kind == CellKind::Error) Check(row, column, kind, text);
    if (open_ != row) OpenLine(row);
    for (; column_ < column; ++column_) out_ += ',';
    if (kind == CellKind::Number) {
      out_.append(text);
    } else {
      AppendField(out_, text, quoted_);
    }
  }
  void OnRowEnd(long long row) override {
    if (open_ != row) OpenLine(row);
    out_ += '\n';
    written_ = row;
    open_ = 0;
  }

 private:
  // Empty lines for the rows the sheet leaves out, then the row's line.
  void OpenLine(long long row) {
    if (written_ < 0) written_ = row - 1;
    for (; written_ < row - 1; ++written_) out_ += '\n';
    open_ = row;
    column_ = 1;
  }

  void Check(long long row, int column, CellKind kind, std::string_view text) const {
    const auto c = static_cast<std::size_t>(column);
    if (c >= firstChecked_.size() || firstChecked_[c] == 0 || row < firstChecked_[c]) return;
    const std::string what = kind == CellKind::Date ? "是日期 (" + std::string(text) + ")"
                                                    : "是错误值 " + std::string(text);
    const std::string field = checkedName_[c].empty() ? "" : " (" + checkedName_[c] + ")";
    throw Error("单元格 '" + sheetName_ + "'!" + CellReference(column, row) + field + " " + what +
                ", 不是数值");
  }

  const std::string& sheetName_;
  bool quoted_;
  std::string& out_;
  const std::vector<std::string>& checkedName_;  // per column (index = column)
  const std::vector<long long>& firstChecked_;   // first row checked, 0 = not a number field
  long long written_;      // rows whose lines are complete, -1 before a piece's first
  long long open_ = 0;     // the row whose line is being written, 0 for none
  int column_ = 1;         // the field the next text goes into
};

// ---------------------------------------------------------------------------
// A large sheet on several threads. Expat reads one stream on one thread,
// and on a sheet of a million cells that is most of the import's time; so
// the rows are cut into pieces at the ends of rows, each piece is parsed by
// a parser of its own between a <sheetData> and a </sheetData> of its own,
// on worker threads, and the pieces' texts are joined in order.
//
// A cut is only looked for in the bytes ("</row>"); whether it was one is
// proved by the piece's parse: a piece parses only when it is whole
// elements at the rows' level (a cut inside a comment, a CDATA section or a
// deeper element leaves something open that the closing </sheetData>
// cannot close). Whatever else is uncertain (a piece that does not parse,
// a date or an error cell, a first row without its number, rows out of
// order, anything unusual before the rows) gives the split up, and the
// sheet is read again in one piece, which says what is wrong exactly as
// it always did.

// Reads a sheet's part up to the first thing inside its sheetData.
class SheetDataStart : public XmlHandler {
 public:
  std::string rowEnd;     // "</row>" with the prefix the sheetData has
  bool inside = false;    // stopped at the first event inside sheetData
  bool unusual = false;   // something a sheet reader acts on came first

  void Start(std::string_view name, const char**) override {
    if (!rowEnd.empty()) {
      inside = true;
      Stop();
    } else if (name == "sheetData") {
      const std::string_view qualified = QualifiedName();
      rowEnd = "</" + std::string(qualified.substr(0, qualified.size() - name.size())) + "row>";
    } else if (IsSheetElement(name)) {
      unusual = true;
      Stop();
    }
  }
  void End(std::string_view name) override {
    if (!rowEnd.empty()) {
      inside = name != "sheetData";  // an empty sheetData: nothing to split
      Stop();
    } else if (IsSheetElement(name) || name == "sheetData") {
      unusual = true;
      Stop();
    }
  }
  void Text(const char*, int) override {
    if (!rowEnd.empty()) {
      inside = true;
      Stop();
    }
  }

 private:
  static bool IsSheetElement(std::string_view name) {
    return name == "row" || name == "c" || name == "v" || name == "is" || name == "t" ||
           name == "rPh";
  }
};

// A piece of the rows as text.
struct SheetPiece {
  std::string text;
  long long rows = 0, firstRow = 0, lastRow = 0;
  bool firstNumbered = false;
  bool ended = false;  // the sheetData's own end is in the piece
  bool sound = false;  // parsed, and nothing in it needs the whole sheet
};

SheetPiece ParsePiece(const SheetContext& context, const std::vector<std::string>& names,
                      const std::vector<long long>& first, const std::string& xml, bool last,
                      const std::string& part) {
  static const std::string open = "<sheetData>", close = "</sheetData>";
  SheetPiece piece;
  try {
    piece.text.reserve(xml.size() / 3);  // the text of numbers is about a quarter of their XML
    TextWriter writer(context, piece.text, names, first, true);
    XmlParse parse(writer);
    parse.Feed(open.data(), open.size(), false, part);
    // Expat copies what it is given into a buffer of its own: a slice at a
    // time keeps that buffer small.
    constexpr std::size_t kSlice = 256 << 10;
    bool going = true;
    for (std::size_t at = 0; going && (at < xml.size() || (at == 0 && last)); at += kSlice) {
      const std::size_t size = std::min(kSlice, xml.size() - at);
      going = parse.Feed(xml.data() + at, size, last && at + size == xml.size(), part);
    }
    if (!going) {
      piece.ended = true;
    } else if (last || parse.Feed(close.data(), close.size(), true, part)) {
      return piece;  // the part ended without the sheetData's end
    }
    piece.rows = writer.Rows();
    piece.firstRow = writer.FirstRow();
    piece.firstNumbered = writer.FirstRowNumbered();
    piece.lastRow = writer.LastRow();
    piece.sound = !writer.Stray();
  } catch (...) {
    piece.sound = false;  // a damaged piece, a date or error cell, no memory
  }
  return piece;
}

// Cuts the part's bytes into pieces, has them parsed on worker threads and
// joins their texts in order.
class SplitSheet {
 public:
  SplitSheet(const SheetContext& context, const std::vector<std::string>& names,
             const std::vector<long long>& first, const std::string& part, std::size_t pieceBytes,
             unsigned workers)
      : context_(context), names_(names), first_(first), part_(part), pieceBytes_(pieceBytes),
        workers_(workers), start_(startReader_) {}
  SplitSheet(const SplitSheet&) = delete;
  SplitSheet& operator=(const SplitSheet&) = delete;
  ~SplitSheet() { StopWorkers(); }

  // Takes the part's next block; false once nothing more is wanted.
  bool Take(const char* data, std::size_t size, bool last) {
    if (threads_.empty()) {
      for (unsigned i = 0; i < workers_; ++i) {
        try {
          threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
          // No thread to be had: those running do the work, and without any
          // the sheet is read in one piece.
          if (threads_.empty()) return GiveUp();
          break;
        }
      }
    }
    // Rows longer than this, or a head before them as long, are not a
    // sheet as spreadsheets write them.
    const std::size_t most = std::max<std::size_t>(16 * pieceBytes_, 16 << 20);
    pending_.append(data, size);
    if (!startReader_.inside) {
      // Still before the rows: the bytes so far are kept to cut from.
      if (start_.Feed(data, size, last, part_)) {
        return !last && pending_.size() <= most ? true : GiveUp();
      }
      if (!startReader_.inside || startReader_.unusual || !Utf8()) return GiveUp();
      cut_ = static_cast<std::size_t>(start_.StopOffset());
    }
    // Pieces of at least pieceBytes_, each up to the end of a row.
    const std::string& rowEnd = startReader_.rowEnd;
    while (pending_.size() - cut_ >= pieceBytes_) {
      const std::size_t at =
          pending_.find(rowEnd, cut_ + std::max(pieceBytes_, rowEnd.size()) - rowEnd.size());
      if (at == std::string::npos) {
        if (pending_.size() - cut_ > most) return GiveUp();
        break;
      }
      const std::size_t end = at + rowEnd.size();
      if (!Hand(pending_.substr(cut_, end - cut_), false)) return false;
      cut_ = end;
    }
    if (last) return Hand(pending_.substr(cut_), true);
    pending_.erase(0, cut_);
    cut_ = 0;
    return true;
  }

  // The sheet's text, or nothing when it must be read in one piece.
  std::optional<std::string> Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    closed_ = true;
    changed_.notify_all();
    for (;;) {
      JoinReady();
      if (failed_ || ended_ || joined_ == handed_) break;
      changed_.wait(lock);
    }
    lock.unlock();
    StopWorkers();
    if (failed_ || !ended_) return std::nullopt;
    return std::move(text_);
  }

  std::size_t Pieces() const { return handed_; }

 private:
  struct Job {
    std::size_t index;
    std::string xml;
    bool last;
  };

  // The pieces are parsed as UTF-8 (ASCII is a part of it); a part in
  // another encoding (declared, or UTF-16 by its byte order mark) is left
  // whole.
  bool Utf8() const {
    if (pending_.rfind("\xFF\xFE", 0) == 0 || pending_.rfind("\xFE\xFF", 0) == 0) return false;
    const std::string encoding = Lower(start_.Encoding());
    return encoding.empty() || encoding == "utf-8" || encoding == "us-ascii";
  }

  bool GiveUp() {
    std::lock_guard<std::mutex> lock(mutex_);
    failed_ = true;
    changed_.notify_all();
    return false;
  }

  // Queues a piece, once fewer than a few are on their way; false once the
  // split has been given up or the sheet's rows have ended.
  bool Hand(std::string xml, bool last) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      JoinReady();
      if (failed_ || ended_) return false;
      if (handed_ - joined_ < workers_ + 2) break;
      changed_.wait(lock);
    }
    jobs_.push_back({handed_++, std::move(xml), last});
    changed_.notify_all();
    return true;
  }

  // Joins the pieces done, in order (under the lock).
  void JoinReady() {
    for (auto done = done_.find(joined_); done != done_.end(); done = done_.find(joined_)) {
      const SheetPiece piece = std::move(done->second);
      done_.erase(done);
      ++joined_;
      if (failed_ || ended_) continue;  // after the rows' end nothing counts
      if (!piece.sound) {
        failed_ = true;
        continue;
      }
      if (piece.rows > 0) {
        if (!piece.firstNumbered || piece.firstRow <= lastRow_) {
          failed_ = true;
          continue;
        }
        text_.append(static_cast<std::size_t>(piece.firstRow - 1 - lastRow_), '\n');
        text_ += piece.text;
        lastRow_ = piece.lastRow;
      }
      ended_ = piece.ended;
    }
  }

  void Work() {
    for (;;) {
      Job job;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || failed_ || !jobs_.empty() || closed_; });
        if (stop_ || failed_ || jobs_.empty()) return;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      SheetPiece piece = ParsePiece(context_, names_, first_, job.xml, job.last, part_);
      job.xml = std::string();
      std::lock_guard<std::mutex> lock(mutex_);
      done_.emplace(job.index, std::move(piece));
      changed_.notify_all();
    }
  }

  void StopWorkers() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
      changed_.notify_all();
    }
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
  }

  const SheetContext& context_;
  const std::vector<std::string>& names_;
  const std::vector<long long>& first_;
  const std::string& part_;
  const std::size_t pieceBytes_;
  const unsigned workers_;
  SheetDataStart startReader_;
  XmlParse start_;
  std::string pending_;  // bytes not yet handed out, from cut_ on
  std::size_t cut_ = 0;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> threads_;
  std::deque<Job> jobs_;
  std::map<std::size_t, SheetPiece> done_;
  std::size_t handed_ = 0, joined_ = 0;
  bool closed_ = false, stop_ = false, failed_ = false, ended_ = false;
  std::string text_;
  long long lastRow_ = 0;
};

// ---------------------------------------------------------------------------
// Telling what a file is from its first bytes.

std::string FirstBytes(const std::string& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

constexpr char kCompoundMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

bool IsCompoundFile(const std::string& first) { return first.rfind(kCompoundMagic, 0) == 0; }
bool IsZip(const std::string& first) {
  return first.rfind("PK\x03\x04", 0) == 0 || first.rfind("PK\x05\x06", 0) == 0;
}

// An encrypted workbook is a compound file holding the stream
// "EncryptedPackage" (its name in UTF-16); an old .xls holds "Workbook".
bool IsEncryptedPackage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string name;
  for (char c : std::string("EncryptedPackage")) {
    name += c;
    name += '\0';
  }
  std::string block(1 << 20, '\0');
  std::string carry;
  for (int blocks = 0; blocks < 64 && in; ++blocks) {
    in.read(block.data(), static_cast<std::streamsize>(block.size()));
    const std::string window = carry + block.substr(0, static_cast<std::size_t>(in.gcount()));
    if (window.find(name) != std::string::npos) return true;
    carry = window.substr(window.size() > name.size() ? window.size() - name.size() : 0);
  }
  return false;
}

void RefuseNonWorkbook(const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  if (!probe) throw Error(FileErrorMessage("open", path));
  const std::string first = FirstBytes(path, 8);
  if (IsCompoundFile(first)) {
    if (IsEncryptedPackage(path)) {
      throw Error("文件 " + Quoted(path) +
                  " 是加密 (设置了打开密码) 的 Excel 工作簿, 不能读取; 请在 Excel 中取消密码后另存。");
    }
    throw Error("文件 " + Quoted(path) +
                " 是旧版 Excel 97-2003 工作簿 (.xls), 不能读取; 请在 Excel 中另存为 .xlsx 工作簿。");
  }
  if (!IsZip(first)) {
    throw Error("文件 " + Quoted(path) +
                " 不是 Excel 工作簿 (.xlsx): 它不是 zip 压缩包 (可能是改了扩展名的其他文件)。");
  }
}

}  // namespace

// ---------------------------------------------------------------------------

bool WorkbookSheet::HasFields(const std::vector<std::string>& fields) const {
  for (const std::vector<std::string>& row : head) {
    const bool all = std::all_of(fields.begin(), fields.end(), [&row](const std::string& f) {
      return std::any_of(row.begin(), row.end(),
                         [&f](const std::string& text) { return SameText(text, f); });
    });
    if (all) return true;
  }
  return false;
}

std::string CellReference(int column, long long row) {
  std::string letters;
  for (int c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + FormatInt(row);
}

struct Workbook::Impl {
  std::string path;
  WorkbookLimits limits;
  mutable Package package;  // counts the bytes inflated, even by const reads
  std::vector<WorkbookSheet> sheets;
  std::vector<std::string> sheetParts;
  SharedStrings strings;
  std::vector<bool> dateStyles;
  mutable std::size_t pieces = 0;  // of the last sheet read
  bool date1904 = false;

  Impl(const std::string& file, const WorkbookLimits& bounds)
      : path(file), limits(bounds), package(file, bounds) {}

  SheetContext Context(int sheet, bool quoted) const {
    return {&sheets[static_cast<std::size_t>(sheet)].name, &strings, &dateStyles, date1904, quoted};
  }
  void ReadParts();
  std::optional<std::string> SplitText(int sheet, bool quoted, const std::vector<std::string>& names,
                                       const std::vector<long long>& first) const;
  void Refuse(const std::string& why) const {
    throw Error("文件 " + Quoted(path) + " " + why);
  }
};

void Workbook::Impl::ReadParts() {
  RelationshipsReader root;
  package.Parse("_rels/.rels", root);
  std::string main = "xl/workbook.xml";
  for (const Relationship& r : root.list) {
    if (EndsWith(r.type, "/officeDocument")) main = ResolvePart("", r.target);
  }
  WorkbookPartReader book;
  if (!package.Parse(main, book)) {
    if (package.Has("xl/workbook.bin"))
      Refuse("是二进制格式的 Excel 工作簿 (.xlsb), 不能读取; 请在 Excel 中另存为 .xlsx 工作簿。");
    Refuse("是 zip 压缩包, 但不是 Excel 工作簿 (.xlsx): 其中没有工作簿部件 " + Quoted(main) + "。");
  }
  date1904 = book.date1904;
  RelationshipsReader links;
  package.Parse(RelationshipsOf(main), links);
  for (const Relationship& r : links.list) {
    if (EndsWith(r.type, "/sharedStrings")) package.Parse(ResolvePart(main, r.target), strings);
    if (EndsWith(r.type, "/styles")) {
      StylesReader styles;
      package.Parse(ResolvePart(main, r.target), styles);
      dateStyles = std::move(styles.dateStyle);
    }
  }
  for (const SheetEntry& entry : book.sheets) {
    const auto link = std::find_if(links.list.begin(), links.list.end(),
                                   [&](const Relationship& r) { return r.id == entry.relationship; });
    // Chart sheets and dialog sheets hold no cells.
    if (link == links.list.end() || !EndsWith(link->type, "/worksheet")) continue;
    WorkbookSheet sheet;
    sheet.name = entry.name;
    sheets.push_back(sheet);
    sheetParts.push_back(ResolvePart(main, link->target));
  }
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    HeadReader head(Context(static_cast<int>(i), false));
    if (!package.Parse(sheetParts[i], head))
      Refuse("已损坏: 缺少工作表 " + Quoted(sheets[i].name) + " 的部件 " + Quoted(sheetParts[i]));
    sheets[i].head = std::move(head.head);
    if (!sheets[i].head.empty() && !sheets[i].head[0].empty()) {
      const std::string_view first = TrimBlanks(sheets[i].head[0][0]);
      if (first.size() >= 6 && Lower(first.substr(0, 6)) == "table:")
        sheets[i].title = std::string(TrimBlanks(first.substr(6)));
    }
  }
  if (sheets.empty()) Refuse("是 Excel 工作簿, 但其中没有工作表。");
}

// A large sheet's text read on worker threads, or nothing when the sheet is
// small, the machine has one core, or the split was given up (the bytes
// inflated for it are then not counted twice).
std::optional<std::string> Workbook::Impl::SplitText(int sheet, bool quoted,
                                                     const std::vector<std::string>& names,
                                                     const std::vector<long long>& first) const {
  const std::string& part = sheetParts[static_cast<std::size_t>(sheet)];
  const unsigned cores = std::thread::hardware_concurrency();
  if (cores < 2 || package.DeclaredSize(part) < limits.splitBytes) return std::nullopt;
  const std::uint64_t inflated = package.Inflated();
  const SheetContext context = Context(sheet, quoted);
  try {
    SplitSheet split(context, names, first, part, limits.pieceBytes, std::min(cores, 4U));
    package.Inflate(part, [&split](const char* data, std::size_t size, bool last) {
      return split.Take(data, size, last);
    });
    if (std::optional<std::string> text = split.Finish()) {
      pieces = split.Pieces();
      return text;
    }
  } catch (...) {
    // Read again in one piece, which raises what is wrong in its place.
  }
  package.SetInflated(inflated);
  return std::nullopt;
}

Workbook::Workbook(const std::string& path, const WorkbookLimits& limits) {
  RefuseNonWorkbook(path);
  impl_ = std::make_unique<Impl>(path, limits);
  impl_->ReadParts();
}

Workbook::~Workbook() = default;

std::size_t Workbook::SheetPieces() const { return impl_->pieces; }

const std::string& Workbook::Path() const { return impl_->path; }

const std::vector<WorkbookSheet>& Workbook::Sheets() const { return impl_->sheets; }

int Workbook::Find(std::string_view name) const {
  for (std::size_t i = 0; i < impl_->sheets.size(); ++i) {
    if (SameText(impl_->sheets[i].name, name)) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < impl_->sheets.size(); ++i) {
    if (!impl_->sheets[i].title.empty() && SameText(impl_->sheets[i].title, name))
      return static_cast<int>(i);
  }
  return -1;
}

std::string Workbook::SheetList() const {
  std::string list;
  for (const WorkbookSheet& sheet : impl_->sheets) {
    if (!list.empty()) list += ", ";
    list += Quoted(sheet.name);
    if (!sheet.title.empty() && !SameText(sheet.title, sheet.name))
      list += " (TABLE: " + sheet.title + ")";
  }
  return list;
}

std::string Workbook::SheetText(int sheet, const NumberFields& numbers, bool quoted) const {
  const WorkbookSheet& s = impl_->sheets.at(static_cast<std::size_t>(sheet));
  std::vector<std::string> names(kMaxColumn + 1);
  std::vector<long long> first(kMaxColumn + 1, 0);
  for (int number : numbers.numbers) {
    if (number >= 1 && number <= kMaxColumn) first[static_cast<std::size_t>(number)] = 2;
  }
  for (const std::string& name : numbers.names) {
    for (std::size_t r = 0; r < s.head.size(); ++r) {
      const auto& row = s.head[r];
      const auto at = std::find_if(row.begin(), row.end(),
                                   [&name](const std::string& text) { return SameText(text, name); });
      if (at == row.end()) continue;
      const auto column = static_cast<std::size_t>(at - row.begin()) + 1;
      names[column] = name;
      first[column] = static_cast<long long>(r) + 2;
      break;
    }
  }
  impl_->pieces = 1;
  if (std::optional<std::string> split = impl_->SplitText(sheet, quoted, names, first)) {
    return *std::move(split);
  }
  std::string text;
  TextWriter writer(impl_->Context(sheet, quoted), text, names, first);
  impl_->package.Parse(impl_->sheetParts[static_cast<std::size_t>(sheet)], writer);
  return text;
}

bool IsWorkbookFile(const std::string& path) {
  const std::string first = FirstBytes(path, 8);
  if (IsZip(first) || IsCompoundFile(first)) return true;
  const std::string lower = Lower(path);
  return EndsWith(lower, ".xlsx") || EndsWith(lower, ".xlsm") || EndsWith(lower, ".xls");
}

std::string WorkbookTableText(const std::string& path, std::string_view table,
                              const NumberFields& numbers, bool quoted) {
  const Workbook book(path);
  const int sheet = book.Find(table);
  if (sheet < 0) {
    throw Error("工作簿 " + Quoted(path) + " 中没有表格 " + Quoted(std::string(table)) +
                "; 其中的工作表有: " + book.SheetList());
  }
  return book.SheetText(sheet, numbers, quoted);
}

}  // namespace kuma
