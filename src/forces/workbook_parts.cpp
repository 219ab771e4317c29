#include "forces/workbook_parts.h"

#include <cstdlib>
#include <cstring>

namespace kuma::xlsx {

void RelationshipsReader::Start(std::string_view name, const char** a) {
  if (name != "Relationship") return;
  const char* id = Attribute(a, "Id");
  const char* type = Attribute(a, "Type");
  const char* target = Attribute(a, "Target");
  if (target != nullptr) list.push_back({id ? id : "", type ? type : "", target});
}

std::string ResolvePart(const std::string& from, const std::string& target) {
  std::string base =
      target.rfind('/', 0) == 0 ? std::string() : from.substr(0, from.find_last_of('/') + 1);
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

void WorkbookPartReader::Start(std::string_view name, const char** a) {
  if (name == "sheet") {
    const char* sheetName = Attribute(a, "name");
    const char* id = Attribute(a, "id");  // r:id
    sheets.push_back({sheetName ? sheetName : "", id ? id : ""});
  } else if (name == "workbookPr") {
    const char* flag = Attribute(a, "date1904");
    date1904 = flag != nullptr && (std::strcmp(flag, "1") == 0 || std::strcmp(flag, "true") == 0);
  }
}

void SharedStrings::Start(std::string_view name, const char**) {
  if (name == "si") {
    starts_.push_back(text_.size());
    inItem_ = true;
  } else if (name == "rPh") {
    ++phonetic_;  // reading aids of East Asian text, not part of it
  } else if (name == "t") {
    inText_ = inItem_ && phonetic_ == 0;
  }
}

void SharedStrings::End(std::string_view name) {
  if (name == "si") inItem_ = false;
  if (name == "rPh") --phonetic_;
  if (name == "t") inText_ = false;
}

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
      const std::string inside = Lower(code.substr(
          i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
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

void StylesReader::Start(std::string_view name, const char** a) {
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

}  // namespace kuma::xlsx
