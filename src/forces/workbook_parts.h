#pragma once
// The package's small parts: relationships, the workbook, shared strings and
// number formats.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "forces/workbook_xml.h"

namespace kuma::xlsx {

struct Relationship {
  std::string id, type, target;
};

class RelationshipsReader : public XmlHandler {
 public:
  std::vector<Relationship> list;
  void Start(std::string_view name, const char** a) override;
  void End(std::string_view) override {}
};

// `target` relative to the folder of `from` ("xl/workbook.xml"), or from the
// package root when it starts with '/'; "." and ".." resolved.
std::string ResolvePart(const std::string& from, const std::string& target);
// The relationships part of `part` ("xl/_rels/workbook.xml.rels").
std::string RelationshipsOf(const std::string& part);

struct SheetEntry {
  std::string name, relationship;
};

class WorkbookPartReader : public XmlHandler {
 public:
  std::vector<SheetEntry> sheets;
  bool date1904 = false;
  void Start(std::string_view name, const char** a) override;
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
  void Start(std::string_view name, const char**) override;
  void End(std::string_view name) override;
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
bool IsDateFormatCode(std::string_view code);
bool IsBuiltInDateFormat(int id);

class StylesReader : public XmlHandler {
 public:
  std::vector<bool> dateStyle;  // per cell style (the s attribute)
  void Start(std::string_view name, const char** a) override;
  void End(std::string_view name) override {
    if (name == "cellXfs") inCellXfs_ = false;
  }

 private:
  std::map<int, bool> custom_;
  bool inCellXfs_ = false;
};

}  // namespace kuma::xlsx
