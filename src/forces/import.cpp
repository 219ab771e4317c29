// The ETABS force import: the file is read whole, decoded once, cut into
// lines that point into the decoded text, and every line is split into one
// reused set of 40 fields, so a large file costs little more than its bytes.
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>

#include "forces/forces.h"
#include "model/errors.h"
#include "model/gbk.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr const char* kGrid = "StringGrid1";
constexpr int kGridColumns = 10;

// Blanks and control characters, as the field trimming understands them.
// Bytes of multi-byte UTF-8 characters are all >= 0x80 and never trimmed.
bool IsTrimmed(char c) {
  auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F;
}

void SplitCsvView(std::string_view line, CsvFields& fields) {
  std::size_t slot = 0;
  std::size_t start = 0;
  while (slot < fields.size()) {
    std::size_t comma = line.find(',', start);
    std::size_t end = comma == std::string_view::npos ? line.size() : comma;
    std::size_t b = start, e = end;
    while (b < e && IsTrimmed(line[b])) ++b;
    while (e > b && IsTrimmed(line[e - 1])) --e;
    fields[slot++].assign(line.data() + b, e - b);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  for (; slot < fields.size(); ++slot) fields[slot].clear();
}

// Slot `number` (1-based); a number outside 1..40 reads an empty field.
const std::string& Field(const CsvFields& fields, int number) {
  static const std::string empty;
  if (number < 1 || number > static_cast<int>(fields.size())) return empty;
  return fields[static_cast<std::size_t>(number - 1)];
}

struct ImportSettings {
  double fP, fMx, fMy;
  int cP, cMx, cMy;
};

ImportSettings ReadImportSettings(const Form& form) {
  ImportSettings s{};
  s.fP = form.Float("Edit57");
  s.fMx = form.Float("Edit58");
  s.fMy = form.Float("Edit59");
  s.cP = form.Integer("Edit54");
  s.cMx = form.Integer("Edit55");
  s.cMy = form.Integer("Edit56");
  return s;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string ReadFileBytes(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw Error(FileErrorMessage("open", path));
  std::string bytes;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) == 0) {
    if (S_ISDIR(info.st_mode)) {
      errno = EISDIR;
      throw Error(FileErrorMessage("open", path));
    }
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
      bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
  }
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
  if (std::ferror(file.get())) throw Error(FileErrorMessage("read", path));
  return bytes;
}

// Steps 3 to 7 of the import. The settings are stored first; the table, the
// grid and then the records follow, so a conversion failure leaves the grid
// complete, Count set and the records before the failing line filled.
void ImportLineViews(Form& form, ForceTable& table, const std::vector<std::string_view>& lines,
                     const ImportSettings& s) {
  if (lines.size() > static_cast<std::size_t>(INT_MAX - 1)) {
    throw Error("文件的行数过多: " + FormatInt(static_cast<long long>(lines.size())));
  }
  // A file without lines is treated like one with an empty header.
  const int count = lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
  table.fP = s.fP;
  table.fMx = s.fMx;
  table.fMy = s.fMy;
  table.cP = s.cP;
  table.cMx = s.cMx;
  table.cMy = s.cMy;
  table.Count = count;
  table.records.assign(static_cast<std::size_t>(count) + 1, ForceRecord{});

  form.SetGridRowCount(kGrid, count + 1);
  CsvFields fields;
  if (lines.empty()) {
    for (int c = 0; c < kGridColumns; ++c) form.SetGridCell(kGrid, c, 0, std::string());
  }
  for (std::size_t r = 0; r < lines.size(); ++r) {
    SplitCsvView(lines[r], fields);
    for (int c = 0; c < kGridColumns; ++c) {
      form.SetGridCell(kGrid, c, static_cast<int>(r), fields[static_cast<std::size_t>(c)]);
    }
  }

  for (int r = 1; r <= count; ++r) {
    SplitCsvView(lines[static_cast<std::size_t>(r)], fields);
    ForceRecord record;
    record.P = -StrToFloat(Field(fields, s.cP));  // compression positive
    record.Mx = StrToFloat(Field(fields, s.cMx));
    record.My = StrToFloat(Field(fields, s.cMy));
    table.records[static_cast<std::size_t>(r)] = record;
  }

  form.SetText("Label66", "导入内力组合的总数量 = " + FormatInt(count));
  ShowForceStatistics(table, form);
}

}  // namespace

void SplitCsvLine(const std::string& line, CsvFields& fields) { SplitCsvView(line, fields); }

std::string DecodeForceText(std::string bytes) {
  static constexpr char kBom[] = "\xEF\xBB\xBF";
  if (!IsValidUtf8(bytes)) return GbkToUtf8(bytes);
  if (bytes.compare(0, 3, kBom) == 0) bytes.erase(0, 3);
  return bytes;
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

void ImportForces(Form& form, ForceTable& table, const std::string& path) {
  const ImportSettings settings = ReadImportSettings(form);
  const std::string text = DecodeForceText(ReadFileBytes(path));
  const std::vector<std::string_view> lines = SplitTextLines(text);
  table.fileName = path;
  ImportLineViews(form, table, lines, settings);
}

void ImportForceLines(Form& form, ForceTable& table, const std::vector<std::string>& lines) {
  const ImportSettings settings = ReadImportSettings(form);
  std::vector<std::string_view> views(lines.begin(), lines.end());
  ImportLineViews(form, table, views, settings);
}

void ReadForceFactors(const Form& form, ForceTable& table) {
  const double fP = form.Float("Edit57");
  const double fMx = form.Float("Edit58");
  const double fMy = form.Float("Edit59");
  table.fP = fP;
  table.fMx = fMx;
  table.fMy = fMy;
}

}  // namespace kuma
