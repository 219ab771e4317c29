// The section kinds' table and what the program derives from it: the boxes
// each kind reads, its outline, its steel, its design code.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "material/laws.h"
#include "material/material_groups.h"
#include "mesh/mesh.h"
#include "model/section_input.h"
#include "model/section_kind.h"
#include "model/statistics.h"

namespace kuma {
namespace {

// A form that notes the name of every box whose text is read.
class ReadLog : public MapForm {
 public:
  std::string Text(std::string_view name) const override {
    reads.emplace_back(name);
    return MapForm::Text(name);
  }
  mutable std::vector<std::string> reads;
};

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += (text.empty() ? "" : " ") + n;
  return text;
}

TEST(SectionKinds, RowsFollowComboBox1AndTheMenu) {
  // ComboBox1's entries are the rows' names in order, and the position plus
  // one is the SectionType.
  const std::vector<const char*> entries = DropDownLists().front().entries;
  ASSERT_EQ(static_cast<int>(entries.size()), kSectionKindCount);
  std::set<std::string> names, items;
  for (int i = 0; i < kSectionKindCount; ++i) {
    const SectionKindRow& k = kSectionKinds[i];
    EXPECT_EQ(k.type, i + 1);
    EXPECT_STREQ(entries[static_cast<std::size_t>(i)], k.name);
    EXPECT_EQ(FindSectionKind(k.type), &k);
    names.insert(k.name);
    items.insert(k.menuItem);
  }
  EXPECT_EQ(static_cast<int>(names.size()), kSectionKindCount) << "names are unique";
  EXPECT_EQ(static_cast<int>(items.size()), kSectionKindCount) << "menu items are unique";
  EXPECT_EQ(FindSectionKind(0), nullptr);
  EXPECT_EQ(FindSectionKind(kSectionKindCount + 1), nullptr);
}

TEST(SectionKinds, EightKindsAsTheFormListsThem) {
  const char* names[] = {"矩形混凝土柱",     "圆形混凝土柱",     "矩形钢骨柱1", "矩形钢骨柱2",
                         "圆形钢管混凝土柱", "矩形钢管混凝土柱", "圆形钢骨柱",  "矩形叠合柱"};
  const char* items[] = {"N19", "N20", "N110", "N21", "N25", "N22", "N23", "N24"};
  // Reinforced concrete under GB 50010, the steel-reinforced and composite
  // columns under JGJ 138, the filled tubes under GB 50936.
  const char* codes[] = {"GB 50010", "GB 50010", "JGJ 138", "JGJ 138",
                         "GB 50936", "GB 50936", "JGJ 138", "JGJ 138"};
  for (int type = 1; type <= 8; ++type) {
    const SectionKindRow* k = FindSectionKind(type);
    ASSERT_NE(k, nullptr) << type;
    EXPECT_STREQ(k->name, names[type - 1]);
    EXPECT_STREQ(k->menuItem, items[type - 1]);
    EXPECT_STREQ(DesignCodeName(k->code), codes[type - 1]);
  }
}

TEST(SectionKinds, OutlineBarsAndSteel) {
  std::string round, tubes, bars, plainRc, roundConfinement;
  for (const SectionKindRow& k : kSectionKinds) {
    const std::string t = std::to_string(k.type);
    if (IsCircular(k)) round += t;
    if (IsTube(k)) tubes += t;
    if (k.bars) bars += t;
    if (IsReinforcedConcrete(k)) plainRc += t;
    if (HasRoundConfinement(k)) roundConfinement += t;
  }
  EXPECT_EQ(round, "257");
  EXPECT_EQ(tubes, "56");
  EXPECT_EQ(bars, "123478");
  EXPECT_EQ(plainRc, "12");
  EXPECT_EQ(roundConfinement, "2578") << "kind 8 confines its core in a round tube";
  EXPECT_EQ(ReinforcedConcreteKind(Outline::Rectangle), 1);
  EXPECT_EQ(ReinforcedConcreteKind(Outline::Circle), 2);
}

TEST(SectionKinds, SteelPlateBoxes) {
  const std::vector<std::vector<std::string>> expected = {
      {},
      {},
      {"Edit44", "Edit45", "Edit48", "Edit49"},  // flanges and webs of both shapes
      {"Edit44", "Edit45"},
      {"Edit3"},  // the tube wall
      {"Edit3", "Edit41"},
      {"Edit44", "Edit45", "Edit48", "Edit49"},
      {"Edit44"}};  // the inner tube's wall
  for (const SectionKindRow& k : kSectionKinds) {
    std::vector<std::string> boxes;
    for (const char* box : SteelPlateBoxes(k)) boxes.emplace_back(box);
    EXPECT_EQ(boxes, expected[static_cast<std::size_t>(k.type - 1)]) << k.type;
  }
}

// The boxes each kind reads, in the order it reads them: the section page's
// table, with the cover's fiber layers (Edit93) after the mesh counts of
// every kind with bars.
TEST(SectionKinds, EachKindReadsItsBoxesInOrder) {
  const std::string rc =
      "Edit1 Edit2 Edit3 Edit5 Edit6 Edit7 Edit4 Edit8 Edit9 Edit10 Edit11 Edit12 Edit13 Edit93";
  const std::string round = "Edit1 Edit1 Edit3 Edit5 Edit6 Edit7 Edit12 Edit13 Edit93";
  const std::string shapes = " Edit42 Edit43 Edit44 Edit45";
  const std::string xShape = " Edit46 Edit47 Edit48 Edit49";
  const std::string mesh = " Edit50 Edit51";
  const std::string expected[] = {rc,
                                  round,
                                  rc + shapes + xShape + mesh,
                                  rc + shapes + mesh,
                                  "Edit1 Edit1 Edit3 Edit12 Edit13",
                                  "Edit1 Edit2 Edit3 Edit41 Edit12 Edit13",
                                  round + shapes + xShape + mesh,
                                  rc + " Edit42 Edit44" + mesh};
  for (int type = 1; type <= 8; ++type) {
    ReadLog form;
    form.SetItemIndex("ComboBox1", type - 1);
    int read = 0;
    SectionParameters p;
    ReadSectionParameters(form, read, p);
    EXPECT_EQ(read, type);
    EXPECT_EQ(Joined(form.reads), expected[type - 1]) << type;
  }
  // No kind selected: nothing is read.
  ReadLog none;
  none.SetItemIndex("ComboBox1", -1);
  int read = 0;
  SectionParameters p;
  ReadSectionParameters(none, read, p);
  EXPECT_EQ(read, 0);
  EXPECT_TRUE(none.reads.empty());
}

// Every row has its mesher: the defaults of every kind mesh into fibers,
// and a number no kind has meshes nothing.
TEST(SectionKinds, EveryKindHasItsMesher) {
  for (const SectionKindRow& k : kSectionKinds) {
    MapForm form;
    form.SetItemIndex("ComboBox1", k.type - 1);
    int type = 0;
    SectionParameters p;
    ReadSectionParameters(form, type, p);
    FiberArray fibers;
    MeshSection(type, p, fibers);
    EXPECT_GT(fibers.size(), 0u) << k.type;
    EXPECT_EQ(SectionFiberCount(type, p), static_cast<std::int64_t>(fibers.size()));
  }
  FiberArray kept(3);
  MeshSection(kSectionKindCount + 1, SectionParameters{}, kept);
  EXPECT_EQ(kept.size(), 3u);
  EXPECT_EQ(SectionFiberCount(0, SectionParameters{}), 0);
}

// The gross area by outline: a circle of diameter 1000 is 3.14·1000²/4 =
// 785000 mm², a 1000 × 1000 square 1000000 mm²; the tubes alike.
TEST(SectionKinds, GrossAreaFollowsTheOutline) {
  SectionParameters p;
  p.B = p.H = 1000;
  const FiberArray none;
  for (const SectionKindRow& k : kSectionKinds) {
    MapForm form;
    ShowSectionStatistics(k.type, p, none, form);
    EXPECT_EQ(form.Text("Edit36"), IsCircular(k) ? "785000" : "1000000") << k.type;
  }
}

// The defaults a kind gives the concrete laws: Mander's ke is 0.95 under
// round confinement, 0.75 otherwise; the filled tube's law is round for
// every kind but the rectangular tube.
TEST(SectionKinds, ConcreteLawDefaultsByKind) {
  for (const SectionKindRow& k : kSectionKinds) {
    MapForm form;
    const MaterialGroupControls& g = MaterialGroups()[1];
    form.SetItemIndex(g.lawList, kConcreteMander - 1);
    form.SetText(g.ke, "");
    // Typed hoops: the filled tubes have no stirrups to take them from.
    form.SetText(g.rhoV, "0.01");
    form.SetText(g.fyh, "300");
    EXPECT_EQ(ReadConcreteLaw(form, g, k.type, nullptr).ke,
              k.type == 2 || k.type == 5 || k.type == 7 || k.type == 8 ? 0.95 : 0.75)
        << k.type;
    form.SetItemIndex(g.lawList, kConcreteFilledTube - 1);
    EXPECT_EQ(ReadConcreteLaw(form, g, k.type, nullptr).circular, k.type != 6) << k.type;
  }
}

}  // namespace
}  // namespace kuma
