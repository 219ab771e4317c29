// The force import from an ETABS workbook: the sheet is chosen, turned into
// the text of its CSV export and imported by the CSV import itself, so both
// routes give the same records, labels, filters and messages.
#include <algorithm>
#include <new>

#include "forces/forces.h"
#include "forces/workbook.h"
#include "model/controls/import_page.h"
#include "model/errors.h"

namespace kuma {

namespace {

const std::vector<std::string> kForceFields = {"P", "M2", "M3"};

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// The fields the import will convert: P, M2 and M3 of an ETABS table, else
// the field numbers of the import page (the same choice the import makes).
NumberFields ForceNumberFields(const Form& form, const WorkbookSheet& sheet) {
  const int layout = form.ItemIndex(ctl::kReadingModeList);
  const bool byNames = layout == static_cast<int>(ForceLayout::FieldNames) ||
                       (layout == static_cast<int>(ForceLayout::Automatic) && !sheet.title.empty());
  NumberFields fields;
  if (byNames) {
    fields.names = kForceFields;
  } else {
    fields.numbers = {form.Integer(ctl::kAxialColumnBox), form.Integer(ctl::kMomentXColumnBox),
                      form.Integer(ctl::kMomentYColumnBox)};
  }
  return fields;
}

int ChooseSheet(const Workbook& book, const std::string& sheet) {
  if (!sheet.empty()) {
    const int index = book.Find(sheet);
    if (index < 0) {
      throw Error("工作簿中没有工作表 \"" + sheet + "\"; 其中的工作表有: " + book.SheetList());
    }
    return index;
  }
  const std::vector<std::string> choices = ForceSheetChoices(book);
  if (choices.empty()) {
    throw Error("工作簿中没有内力表: 没有表格 \"" + std::string(kForceTableName) +
                "\", 也没有含字段 P、M2 和 M3 的工作表; 其中的表格有: " + book.SheetList());
  }
  if (choices.size() != 1) {
    std::string list;
    for (const std::string& name : choices) list += (list.empty() ? "\"" : ", \"") + name + "\"";
    throw Error("工作簿中有多个可以导入的工作表 (" + list + "), 请选择其中一个 (命令行: --sheet 名称)");
  }
  return book.Find(choices.front());
}

std::string WithoutFullStop(std::string text) {
  static const std::string stop = "。";
  if (text.size() >= stop.size() && text.compare(text.size() - stop.size(), stop.size(), stop) == 0)
    text.erase(text.size() - stop.size());
  return text;
}

}  // namespace

std::vector<std::string> ForceSheetChoices(const Workbook& book) {
  const std::vector<WorkbookSheet>& sheets = book.Sheets();
  std::vector<std::string> titled, named, plain;
  for (const WorkbookSheet& sheet : sheets) {
    if (SameName(sheet.TableName(), kForceTableName) || SameName(sheet.name, kForceTableName))
      titled.push_back(sheet.name);
    if (sheet.HasFields(kForceFields)) named.push_back(sheet.name);
    if (sheet.title.empty()) plain.push_back(sheet.name);
  }
  if (!titled.empty()) return titled;
  if (!named.empty()) return named;
  return plain;
}

void ImportForceWorkbook(Form& form, ForceTable& table, const std::string& path,
                         const std::string& sheet) {
  std::string text, name;
  LoadDefinitions loads;
  try {
    const Workbook book(path);
    loads = ReadLoadDefinitions(book);
    const int index = ChooseSheet(book, sheet);
    const WorkbookSheet& chosen = book.Sheets()[static_cast<std::size_t>(index)];
    name = chosen.name;
    const NumberFields fields = ForceNumberFields(form, chosen);
    // Only the fields the import reads are taken from each row.
    const std::size_t columns = fields.names.empty() ? kNumberedFieldLimit : kNamedFieldLimit;
    text = book.SheetText(index, fields, false, static_cast<int>(columns));
  } catch (const std::bad_alloc&) {
    throw Error("内存不足: 读取工作簿 \"" + path + "\" 需要的内存超过了可用的内存; 未导入任何内力。");
  } catch (const Error& e) {
    throw Error(WithoutFullStop(e.what()) + "; 未导入任何内力。");
  }
  try {
    ImportForceBytes(form, table, std::move(text), path);
  } catch (const Error& e) {
    throw Error("工作表 \"" + name + "\": " + e.what());
  }
  table.sheet = name;
  table.loadCaseTypes = std::move(loads.caseTypes);
  table.combinationLoads = std::move(loads.combinations);
}

}  // namespace kuma
