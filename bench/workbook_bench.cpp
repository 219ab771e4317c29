// The force import of an ETABS workbook with a 200 000-row force sheet (as
// ETABS exports it: shared strings, numbers as numbers, the three head rows),
// against the same table as CSV text. The workbook is written once by the
// writer library and kept for the run; `workbook_bench --make PATH` only
// writes it, so that the import's memory can be measured in a process of
// its own (kumasec-cli import PATH under /usr/bin/time -v).
//
// The sheet is parsed on worker threads: the times are wall-clock times, and
// the counter cpu_s is the CPU time of the whole process (every thread) per
// import. BM_WorkbookSheetText200k/0 reads the sheet in one piece, /1 in
// pieces on the worker threads.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>

#include "forces/forces.h"
#include "forces/workbook.h"

namespace {

class NoGridForm : public kuma::MapForm {
 public:
  void SetGridCell(std::string_view, int, int, const std::string&) override {}
};

// The ETABS 19 layout: six modal rows in eleven, load cases and
// combinations (one an envelope) as in the CSV benchmark.
void MakeWorkbook(const std::string& path, int rows) {
  lxw_workbook* book = workbook_new(path.c_str());
  workbook_add_worksheet(book, "Program Control");
  lxw_worksheet* s = workbook_add_worksheet(book, "Element Forces - Columns");
  worksheet_write_string(s, 0, 0, "TABLE:  Element Forces - Columns", nullptr);
  const char* names[] = {"Story", "Column", "Unique Name", "Output Case", "Case Type", "Step Type",
                         "Step Number", "Step Label", "Station", "P", "V2", "V3", "T", "M2", "M3",
                         "Element", "Elem Station", "Location"};
  const char* units[] = {"", "", "", "", "", "", "", "", "ft", "kip", "kip", "kip", "kip-ft",
                         "kip-ft", "kip-ft", "", "ft", ""};
  for (lxw_col_t c = 0; c < 18; ++c) {
    worksheet_write_string(s, 1, c, names[c], nullptr);
    if (units[c][0] != '\0') worksheet_write_string(s, 2, c, units[c], nullptr);
  }
  const char* cases[][3] = {{"Modal", "LinModEigen", "Mode"},
                            {"Dead", "LinStatic", ""},
                            {"Live", "LinStatic", ""},
                            {"1.2D+1.6L", "Combination", ""},
                            {"ENVE-SEISMIC 1", "Combination", "Max"},
                            {"ENVE-SEISMIC 1", "Combination", "Min"}};
  char text[64];
  for (int i = 0; i < rows; ++i) {
    const auto r = static_cast<lxw_row_t>(i + 3);
    const int kind = i % 11 < 6 ? 0 : i % 11 - 5;
    std::snprintf(text, sizeof text, "Story %d", i / 3000 % 60 + 1);
    worksheet_write_string(s, r, 0, text, nullptr);
    std::snprintf(text, sizeof text, "C%d", i / 33 % 90 + 1);
    worksheet_write_string(s, r, 1, text, nullptr);
    std::snprintf(text, sizeof text, "%d", 1000 + i / 33);
    worksheet_write_string(s, r, 2, text, nullptr);
    for (lxw_col_t c = 0; c < 3; ++c) {
      if (cases[kind][c][0] != '\0') worksheet_write_string(s, r, 3 + c, cases[kind][c], nullptr);
    }
    if (kind == 0) {
      worksheet_write_number(s, r, 6, 1, nullptr);
      worksheet_write_string(s, r, 7, "Mode 1", nullptr);
    }
    const double station = (i % 3) * 5.0042;
    const double values[] = {station,
                             -1000.0 - i % 9000 * 1.25 - 1.0 / 3.0,
                             i % 77 * 0.5 + 0.123456789,
                             -(i % 55) * 0.25,
                             3.432e-05,
                             (i % 400) * 1.75 - 350.0 + 1.0 / 7.0,
                             (i % 601) * -0.875 + 260.0};
    for (lxw_col_t c = 0; c < 7; ++c) worksheet_write_number(s, r, 8 + c, values[c], nullptr);
    worksheet_write_number(s, r, 15, 1000 + i / 33, nullptr);
    worksheet_write_number(s, r, 16, station, nullptr);
  }
  workbook_close(book);
}

std::string WorkbookPath() {
  return (std::filesystem::temp_directory_path() /
          ("kuma_workbook_bench_" + std::to_string(::getpid()) + ".xlsx"))
      .string();
}

void BM_ImportEtabsWorkbook200k(benchmark::State& state) {
  const std::string path = WorkbookPath();
  MakeWorkbook(path, static_cast<int>(state.range(0)));
  NoGridForm form;
  form.SetItemIndex("ComboBox11", 1);  // every case but the modal rows
  kuma::ForceTable table;
  const std::clock_t cpu = std::clock();  // all the process's threads
  for (auto _ : state) {
    kuma::ImportForces(form, table, path);
    benchmark::DoNotOptimize(table.records.data());
  }
  state.counters["cpu_s"] = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC /
                            static_cast<double>(state.iterations());
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.counters["kept_rows"] = table.Count;
  state.SetItemsProcessed(state.iterations() * state.range(0));
  std::remove(path.c_str());
}
BENCHMARK(BM_ImportEtabsWorkbook200k)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// The sheet into text alone, without the import behind it.
void BM_WorkbookSheetText200k(benchmark::State& state) {
  const std::string path = WorkbookPath();
  MakeWorkbook(path, 200000);
  kuma::WorkbookLimits limits;
  if (state.range(0) == 0) limits.splitBytes = UINT64_MAX;  // in one piece
  std::size_t pieces = 0;
  const std::clock_t cpu = std::clock();
  for (auto _ : state) {
    const kuma::Workbook book(path, limits);
    benchmark::DoNotOptimize(book.SheetText(book.Find("Element Forces - Columns")).size());
    pieces = book.SheetPieces();
  }
  state.counters["cpu_s"] = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC /
                            static_cast<double>(state.iterations());
  state.counters["pieces"] = static_cast<double>(pieces);
  std::remove(path.c_str());
}
BENCHMARK(BM_WorkbookSheetText200k)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--make") == 0) {
    MakeWorkbook(argv[2], 200000);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
