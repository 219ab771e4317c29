// Mutations of real-table snippets fed to the import: whatever the bytes, the
// import either reads them whole or refuses them with a message, and a
// refusal leaves the previous table, grids and captions exactly as they were.
// The seed is fixed, so a failure repeats.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "forces/forces.h"
#include "model/errors.h"
#include "model/gbk.h"

namespace kuma {
namespace {

const char* const kSnippets[] = {
    // ETABS 19, kip and kip-ft: a load case, a modal row, combinations.
    "TABLE:  Element Forces - Columns,,,,,,,,,,,,,,,,,\r\n"
    "Story,Column,Unique Name,Output Case,Case Type,Step Type,Step Number,Step Label,Station,P,"
    "V2,V3,T,M2,M3,Element,Elem Station,Location\r\n"
    ",,,,,,,,ft,kip,kip,kip,kip-ft,kip-ft,kip-ft,,ft,\r\n"
    "Story4,C1,91,Dead,LinStatic,,,,0,-17.678,-0.882,-0.235,0.0002,-1.1079,-4.0642,91,0,\r\n"
    "Story4,C1,91,Modal,LinModEigen,Mode,1,,0,0.012,0.01,0.02,3.432E-05,0.1,0.2,91,0,\r\n"
    "Story4,C1,91,D+L,Combination,,,,5.0042,-22.1,-1.1,-0.3,0.0002,0.0859,0.4418,91,5.0042,\r\n"
    "Story 3,C2,92,-ENV1.5,Combination,Max,,,0,-5,1,2,3,4,5,92,0,\r\n"
    "Story 3,C2,92,-ENV1.5,Combination,Min,,,0,-50,1,2,3,-4,-5,92,0,\r\n",
    // ETABS 22, kN and kN-m, units before names.
    "TABLE:  Element Forces - Columns\n"
    ",,,,,,m,kN,kN,kN,kN-m,kN-m,kN-m,,m,\n"
    "Story,Column,Unique Name,Output Case,Case Type,Step Type,Station,P,V2,V3,T,M2,M3,Element,"
    "Elem Station,Location\n"
    "1F,C1,12,DCON1,Combination,,0,-1200,1,2,3,45.5,-350,12,0,Bottom\n"
    "1F,C1,12,DCON2,Combination,,3.2,-1100,1,2,3,-45.5,350,12,3.2,Top\n",
    // The old layout, read by field numbers.
    "Story,Column,Load,Loc,P,V2,V3,T,M2,M3\r\n"
    "S1,C1,DCON1,0,-1200,1,2,3,45.5,-350\r\n"
    "S1,C1,DCON2,0,300.25,1,2,3,-12,300\r\n",
};

const char kInteresting[] = {',', '\r', '\n', '\0', '\xFF', '\xFE', '\xEF', '\xBB', '-',
                             'E', '.',  ' ',  '"',  '9',    'T',    ':',    '\xD6'};

std::string Mutate(std::string bytes, std::mt19937& random) {
  auto pick = [&random](std::size_t n) {
    return n == 0 ? std::size_t{0} : std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const int steps = 1 + static_cast<int>(pick(4));
  for (int s = 0; s < steps; ++s) {
    const std::size_t at = pick(bytes.size() + 1);
    switch (pick(7)) {
      case 0:  // a byte changed to anything
        if (!bytes.empty()) bytes[pick(bytes.size())] = static_cast<char>(pick(256));
        break;
      case 1:  // a byte that means something to the reader
        bytes.insert(at, 1, kInteresting[pick(sizeof kInteresting)]);
        break;
      case 2:  // a stretch cut out
        bytes.erase(at, pick(40));
        break;
      case 3:  // a stretch repeated
        bytes.insert(at, bytes.substr(pick(bytes.size() + 1), pick(80)));
        break;
      case 4:  // the end cut off
        bytes.resize(at);
        break;
      case 5:  // a unit or name the reader looks for
        bytes.insert(at, pick(2) == 0 ? "kip-yd" : "Combination");
        break;
      default:  // an encoding mark in front
        bytes.insert(0, pick(2) == 0 ? "\xFF\xFE" : "\xEF\xBB\xBF");
        break;
    }
  }
  return bytes;
}

// What the engineer sees of an import.
struct Seen {
  ForceTable table;
  std::vector<std::string> cells;
  bool operator==(const Seen& o) const {
    const ForceTable &a = table, &b = o.table;
    if (a.Count != b.Count || a.labels != b.labels || a.fileName != b.fileName ||
        a.rowsRead != b.rowsRead || a.records.size() != b.records.size())
      return false;
    for (std::size_t i = 0; i < a.records.size(); ++i) {
      if (a.records[i].P != b.records[i].P || a.records[i].Mx != b.records[i].Mx ||
          a.records[i].My != b.records[i].My)
        return false;
    }
    return cells == o.cells;
  }
};

Seen Look(const MapForm& form, const ForceTable& table) {
  Seen seen{table, {}};
  seen.cells.push_back(form.Text("Label66"));
  seen.cells.push_back(form.Text("Label125"));
  seen.cells.push_back(std::to_string(form.GridRowCount("StringGrid1")));
  for (int row = 0; row < form.GridRowCount("StringGrid1"); ++row)
    for (int col = 0; col < 20; ++col) seen.cells.push_back(form.GridCell("StringGrid1", col, row));
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 5; ++col) seen.cells.push_back(form.GridCell("StringGrid2", col, row));
  return seen;
}

TEST(ImportMutations, EveryMutationReadsWholeOrChangesNothing) {
  constexpr int kMutations = 4000;
  std::mt19937 random(20261207);
  int imported = 0, refused = 0;
  for (int i = 0; i < kMutations; ++i) {
    const std::string seed = kSnippets[i % 3];
    const std::string bytes = Mutate(seed, random);
    MapForm form;
    ForceTable table;
    ImportForceBytes(form, table, kSnippets[0], "previous.csv");
    form.SetItemIndex("ComboBox10", static_cast<int>(random() % 3));
    form.SetItemIndex("ComboBox11", static_cast<int>(random() % 2));
    const Seen before = Look(form, table);
    try {
      ImportForceBytes(form, table, bytes, "mutated.csv");
      ++imported;
    } catch (const Error& e) {
      ++refused;
      ASSERT_FALSE(std::string(e.what()).empty());
      ASSERT_TRUE(Look(form, table) == before) << "mutation " << i << ": " << e.what();
      continue;
    }
    // A whole import is consistent in itself.
    ASSERT_EQ(table.records.size(), static_cast<std::size_t>(table.Count) + 1) << i;
    ASSERT_TRUE(table.labels.empty() || table.labels.size() == table.records.size()) << i;
    for (const ForceRecord& r : table.records) {
      ASSERT_TRUE(std::isfinite(r.P) && std::isfinite(r.Mx) && std::isfinite(r.My)) << i;
    }
    ASSERT_EQ(
        form.Text("Label66").rfind("导入内力组合的总数量 = " + std::to_string(table.Count), 0), 0u)
        << i;
    ASSERT_EQ(table.fileName, "mutated.csv");
  }
  EXPECT_EQ(imported + refused, kMutations);
  // Both outcomes occur, so the loop tests both paths.
  EXPECT_GT(imported, kMutations / 20);
  EXPECT_GT(refused, kMutations / 20);
  std::printf("mutations: %d imported, %d refused\n", imported, refused);
}

}  // namespace
}  // namespace kuma
