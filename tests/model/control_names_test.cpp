// The named constants of the controls (model/controls/*.h): one constant per
// control, every edit box and list they name exists on the form, and the
// constants the core reads mean the boxes their names say.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "model/controls/material_pages.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/script_page.h"
#include "model/controls/section_page.h"
#include "model/form.h"

namespace kuma {
namespace {

namespace fs = std::filesystem;

// Constant -> control name, read from the headers' text.
std::map<std::string, std::string> ReadHeaders(std::map<std::string, std::string>& byName) {
  // The test data folder is tests/data of the checkout.
  const fs::path root = fs::path(KUMA_TEST_DATA_DIR).parent_path().parent_path();
  const fs::path dir = root / "src" / "model" / "controls";
  const std::regex line(R"re(inline\s+constexpr\s+const\s+char\s*\*\s*(k\w+)\s*=\s*"(\w+)";)re");
  std::map<std::string, std::string> constants;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    // Every definition is read, however it is laid out.
    std::size_t definitions = 0;
    for (auto at = s.find("inline constexpr"); at != std::string::npos;
         at = s.find("inline constexpr", at + 1))
      ++definitions;
    EXPECT_EQ(static_cast<std::size_t>(std::distance(std::sregex_iterator(s.begin(), s.end(), line),
                                                     std::sregex_iterator())),
              definitions)
        << entry.path();
    for (std::sregex_iterator it(s.begin(), s.end(), line), end; it != end; ++it) {
      const std::string constant = (*it)[1], name = (*it)[2];
      EXPECT_TRUE(constants.emplace(constant, name).second) << constant << " defined twice";
      EXPECT_TRUE(byName.emplace(name, constant).second)
          << name << " named twice: " << byName[name] << ", " << constant;
    }
  }
  return constants;
}

TEST(ControlNames, OneConstantPerControlAndEveryBoxExists) {
  std::map<std::string, std::string> byName;
  const auto constants = ReadHeaders(byName);
  ASSERT_GT(constants.size(), 340u);
  const MapForm form;
  // The building pages' view and direction lists and the library page's name
  // box and grade list live on the window only: no command reads them.
  const std::set<std::string> windowOnly = {"ComboBox38", "ComboBox39", "ComboBox40", "Edit155"};
  for (const auto& [constant, name] : constants) {
    const bool box = name.rfind("Edit", 0) == 0 || name.rfind("ComboBox", 0) == 0;
    if (box && windowOnly.count(name) == 0) {
      EXPECT_TRUE(form.HasControl(name)) << constant << " = " << name;
    }
  }
}

// The boxes by their initial texts: the defaults of the section page and
// of the material groups say which box a constant points at.
TEST(ControlNames, ConstantsPointAtTheirBoxes) {
  const MapForm form;
  EXPECT_EQ(form.Text(ctl::kWidthBox), "2200");
  EXPECT_EQ(form.Text(ctl::kCoverBox), "40");
  EXPECT_EQ(form.Text(ctl::kTubeWallYBox), "40");
  EXPECT_EQ(form.Text(ctl::kShapeYDepthBox), "1600");
  EXPECT_EQ(form.Text(ctl::kWebMeshBox), "6");
  EXPECT_EQ(form.Text(ctl::kCore2FcBox), "11.9");
  EXPECT_EQ(form.Text(ctl::kEdgeEcuBox), "0.0035");
  EXPECT_EQ(form.Text(ctl::kRebarEsBox), "206000");
  EXPECT_EQ(form.Text(ctl::kShapeSteelFyBox), "260");
  EXPECT_EQ(form.Text(ctl::kShapeSteelTagBox), "5");
  EXPECT_EQ(form.Text(ctl::kPmInnerStepsBox), "100");
  EXPECT_EQ(form.Text(ctl::kPmExtensionBox), "1.2");
  EXPECT_EQ(form.Text(ctl::kMmPointsBox), "36");
  EXPECT_EQ(form.Text(ctl::kMmAxialRangeBox), "500");
  EXPECT_EQ(form.Text(ctl::kPushStepsBox), "100");
  EXPECT_EQ(form.Text(ctl::kResultFileBox), "mk.out");
  EXPECT_EQ(form.ListSize(ctl::kKindList), 8);
}

}  // namespace
}  // namespace kuma
