// The force import of a 200 000-line ETABS file (GBK, CR LF), into a form
// whose grid ignores its cells, so the figure is the import's own cost:
// reading, decoding, splitting, converting and the statistics.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "forces/forces.h"
#include "model/gbk.h"

namespace {

class NoGridForm : public kuma::MapForm {
 public:
  void SetGridCell(std::string_view, int, int, const std::string&) override {}
};

std::string WriteForceFile(int lines) {
  std::string path = (std::filesystem::temp_directory_path() /
                      ("kuma_import_bench_" + std::to_string(::getpid()) + ".csv"))
                         .string();
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

}  // namespace

BENCHMARK_MAIN();
