// The force import of 200 000-line files: an old-layout file (GBK, CR LF)
// and an ETABS 19 table export (title, names and units lines, kip and
// kip-ft, modal rows, load cases and combinations mixed as ETABS writes
// them). The ETABS benchmark keeps the grid's table as the window does and
// reports the memory: the table held after the import and the peak of the
// process, both against the file's size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "forces/forces.h"
#include "model/gbk.h"

namespace {

class NoGridForm : public kuma::MapForm {
 public:
  void SetGridCell(std::string_view, int, int, const std::string&) override {}
};

// Keeps the grid's table, as the window's grid does, to measure it.
class TableForm : public kuma::MapForm {
 public:
  void SetGridTable(std::string_view grid, std::shared_ptr<const kuma::TextTable> table) override {
    if (grid == "StringGrid1") held = table;
    kuma::MapForm::SetGridTable(grid, std::move(table));
  }
  std::shared_ptr<const kuma::TextTable> held;
};

std::string TempPath(const char* stem) {
  return (std::filesystem::temp_directory_path() /
          (std::string(stem) + std::to_string(::getpid()) + ".csv"))
      .string();
}

std::string WriteForceFile(int lines) {
  const std::string path = TempPath("kuma_import_bench_");
  std::string text = kuma::Utf8ToGbk("楼层,柱,组合,位置,轴力P,V2,V3,T,M2,M3\r\n");
  char line[160];
  for (int i = 1; i < lines; ++i) {
    std::snprintf(line, sizeof line, "Story%d,C%d,DCON%d,%.3f,%.4f,%.3f,%.3f,%.3f,%.4f,%.4f\r\n",
                  i % 40 + 1, i % 12 + 1, i % 25 + 1, (i % 3) * 1.5, -1000.0 - i % 9000 * 1.25,
                  i % 77 * 0.5, -(i % 55) * 0.25, 0.125, (i % 400) * 1.75 - 350.0,
                  (i % 601) * -0.875 + 260.0);
    text += line;
  }
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// An ETABS 19 export of about 200 bytes a row (40 MB for 200 000 rows):
// six modal rows in eleven, two load cases and three combinations (one an
// envelope, as a Max/Min pair), written line by line.
std::string WriteEtabsFile(int rows, std::uintmax_t& bytes) {
  const std::string path = TempPath("kuma_import_bench_etabs_");
  std::ofstream out(path, std::ios::binary);
  out << "TABLE:  Element Forces - Columns,,,,,,,,,,,,,,,,,\r\n"
         "Story,Column,Unique Name,Output Case,Case Type,Step Type,Step Number,Step Label,"
         "Station,P,V2,V3,T,M2,M3,Element,Elem Station,Location\r\n"
         ",,,,,,,,ft,kip,kip,kip,kip-ft,kip-ft,kip-ft,,ft,\r\n";
  const char* cases[][3] = {{"Modal", "LinModEigen", "Mode"},
                            {"Dead", "LinStatic", ""},
                            {"Live", "LinStatic", ""},
                            {"1.2D+1.6L", "Combination", ""},
                            {"ENVE-SEISMIC 1", "Combination", "Max"},
                            {"ENVE-SEISMIC 1", "Combination", "Min"}};
  char line[512];
  for (int i = 0; i < rows; ++i) {
    const int kind = i % 11 < 6 ? 0 : i % 11 - 5;  // six modal rows in eleven
    const auto* c = cases[kind];
    std::snprintf(line, sizeof line,
                  "Story %d,C%d,%d,%s,%s,%s,%s,%s,%.4f,%.9f,%.9f,%.9f,%.9E,%.9f,%.9f,%d,%.4f,"
                  "\r\n",
                  i / 3000 % 60 + 1, i / 33 % 90 + 1, 1000 + i / 33, c[0], c[1], c[2],
                  kind == 0 ? "1" : "", kind == 0 ? "Mode 1" : "", (i % 3) * 5.0042,
                  -1000.0 - i % 9000 * 1.25, i % 77 * 0.5, -(i % 55) * 0.25, 3.432e-05,
                  (i % 400) * 1.75 - 350.0, (i % 601) * -0.875 + 260.0, 1000 + i / 33,
                  (i % 3) * 5.0042);
    out << line;
  }
  out.close();
  bytes = std::filesystem::file_size(path);
  return path;
}

void BM_ImportForces200k(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string path = WriteForceFile(lines);
  NoGridForm form;
  kuma::ForceTable table;
  for (auto _ : state) {
    kuma::ImportForces(form, table, path);
    benchmark::DoNotOptimize(table.records.data());
  }
  state.SetItemsProcessed(state.iterations() * lines);
  std::remove(path.c_str());
}
BENCHMARK(BM_ImportForces200k)->Arg(200000)->Unit(benchmark::kMillisecond);

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_ImportEtabsTable200k(benchmark::State& state) {
  std::uintmax_t fileBytes = 0;
  const std::string path = WriteEtabsFile(static_cast<int>(state.range(0)), fileBytes);
  TableForm form;
  kuma::ForceTable table;
  form.SetItemIndex("ComboBox11", 1);  // every case but the modal rows
  const long before = ResidentKilobytes();
  for (auto _ : state) {
    kuma::ImportForces(form, table, path);
    benchmark::DoNotOptimize(table.records.data());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::size_t held =
      form.held->MemoryBytes() + table.records.capacity() * sizeof(kuma::ForceRecord);
  for (const std::string& label : table.labels) held += sizeof label + label.capacity();
  const double file = static_cast<double>(fileBytes);
  state.counters["file_MB"] = file / 1e6;
  state.counters["kept_rows"] = table.Count;
  state.counters["held_per_file_byte"] = static_cast<double>(held) / file;
  state.counters["peak_per_file_byte"] =
      static_cast<double>(usage.ru_maxrss - before) * 1024.0 / file;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(path.c_str());
}
BENCHMARK(BM_ImportEtabsTable200k)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
