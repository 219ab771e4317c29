// Opening a section file whose library holds 100 000 sections, and reading
// 20 000 ETABS concrete section definitions (the most one text may hold)
// with their reinforcing: both in time linear in the sections (names are
// looked up in sets, the JSON reader does not go through a list again
// after each of its entries).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "forces/etabs_tables.h"
#include "model/section_file.h"

namespace {

std::string LibraryFile(int sections) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("kuma_library_bench_" + std::to_string(::getpid()) + ".ksec"))
                               .string();
  std::ofstream out(path);
  out << "{\"format\": \"KumaSec section\", \"version\": 2, \"section\": {\"type\": 1},\n"
         "\"library\": {\"sections\": [\n";
  for (int i = 1; i <= sections; ++i) {
    out << "{\"name\": \"S" << i << "\", \"type\": 1, \"boxes\": {\"Edit1\": \"" << 200 + i % 9 * 50
        << "\", \"Edit2\": \"600\"}}" << (i < sections ? ",\n" : "\n");
  }
  out << "]}, \"assignments\": []}\n";
  return path;
}

void BM_OpenLibraryFile(benchmark::State& state) {
  const std::string path = LibraryFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const kuma::SectionFile file = kuma::ReadSectionFile(path);
    benchmark::DoNotOptimize(file.library.sections.data());
  }
  std::filesystem::remove(path);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenLibraryFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadEtabsDefinitions(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  std::string text =
      "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
      "Name,Material,Depth,Width,Design Type\n,,m,m,\n";
  for (int i = 0; i < count; ++i)
    text += "S" + std::to_string(i) + ",M" + std::to_string(i) + ",0.6,0.4,Column\n";
  text +=
      "TABLE:  Frame Section Property Definitions - Concrete Column Reinforcing\n"
      "Name,Clear Cover,Num Bars 3-Dir,Num Bars 2-Dir,Long Bar Size,Tie Bar Size\n,mm,,,,\n";
  for (int i = 0; i < count; ++i) text += "S" + std::to_string(i) + ",40,4,4,20,10\n";
  for (auto _ : state) {
    const kuma::EtabsSections read = kuma::ReadEtabsSectionDefinitions(text);
    benchmark::DoNotOptimize(read.sections.data());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReadEtabsDefinitions)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
