// The complete OpenSEES model: its materials evaluated with OpenSEES's own
// formulas against the program's laws, its fibers integrated against the
// program's sums, the torsion and dimension rules, the moment–curvature
// targets, and the text run through tclsh and python3 with stand-in
// commands (tags, early stops, the result folder, the proportional push).
#include "report/opensees_model.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "../test_files.h"
#include "analysis/fiber_kernel.h"
#include "analysis/solvers.h"
#include "app/opensees_commands.h"
#include "material/laws.h"
#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/materials.h"
#include "model/numfmt.h"
#include "model/section_input.h"
#include "model/section_kind.h"

namespace kuma {
namespace {

namespace fs = std::filesystem;

struct Meshed {
  FiberArray fibers;
  int sectionType = 0;
  SectionParameters params;
};

Meshed MeshKind(MapForm& form, int kindIndex) {
  form.SetItemIndex("ComboBox1", kindIndex);
  ApplySectionKindLayout(form);
  Meshed m;
  ReadSectionParameters(form, m.sectionType, m.params);
  ValidateMeshInput(m.sectionType, m.params);
  MeshSection(m.sectionType, m.params, m.fibers);
  AssignFiberMaterials(form, m.fibers);
  return m;
}

OpenSeesModel Build(const Meshed& m, const MapForm& form, OpenSeesModelOptions options = {}) {
  return BuildOpenSeesModel(m.fibers, m.sectionType, m.params, ReadMaterialTags(form), options);
}

// Every material group with constants of its own, fcu and ecu different from
// fc and e0 so that a mapping that used them would show.
void DistinctMaterials(MapForm& form) {
  const std::pair<const char*, const char*> values[] = {
      {"Edit14", "30"},     {"Edit15", "0.0025"}, {"Edit17", "20"},     {"Edit16", "0.004"},
      {"Edit18", "35"},     {"Edit19", "0.0022"}, {"Edit21", "25"},     {"Edit20", "0.005"},
      {"Edit22", "11.9"},   {"Edit23", "0.0018"}, {"Edit25", "9"},      {"Edit24", "0.006"},
      {"Edit26", "200000"}, {"Edit27", "400"},    {"Edit28", "210000"}, {"Edit29", "345"}};
  for (const auto& [box, text] : values) form.SetText(box, text);
}

// ---------------------------------------------------------------------------
// OpenSEES's laws, written from their published definitions.

// Concrete01 on its monotonic compression envelope (Kent–Scott–Park): a
// parabola to (epsc0, fpc), a straight line to (epscu, fpcu), then fpcu; no
// tension. All four parameters negative.
double Concrete01(double fpc, double epsc0, double fpcu, double epscu, double eps) {
  if (eps >= 0) return 0;
  if (eps > epsc0) {
    double eta = eps / epsc0;
    return fpc * (2 * eta - eta * eta);
  }
  if (eps > epscu) return fpc + (fpcu - fpc) / (epscu - epsc0) * (eps - epsc0);
  return fpcu;
}

// Steel01 loaded monotonically from zero: elastic to Fy/E0, then hardening
// with slope b·E0.
double Steel01(double Fy, double E0, double b, double eps) {
  double ey = Fy / E0;
  if (std::fabs(eps) <= ey) return E0 * eps;
  double sign = eps < 0 ? -1 : 1;
  return sign * (Fy + b * E0 * (std::fabs(eps) - ey));
}

struct ParsedMaterial {
  std::string type;
  std::vector<double> p;
  double Stress(double eps) const {
    return type == "Concrete01" ? Concrete01(p[0], p[1], p[2], p[3], eps)
                                : Steel01(p[0], p[1], p[2], eps);
  }
};

struct ParsedFiber {
  double yLoc, zLoc, area;
  int tag;
};

struct ParsedModel {
  std::map<int, ParsedMaterial> materials;
  std::vector<ParsedFiber> fibers;
  std::string sectionLine;
};

// Reads the Tcl text's material and fiber commands; tags given as `$name`
// take the value of the `set name value` before them.
ParsedModel Parse(const std::vector<std::string>& lines) {
  ParsedModel model;
  std::map<std::string, std::string> vars;
  auto value = [&](std::string word) {
    while (!word.empty() && word[0] == '$') word = vars[word.substr(1)];
    return word;
  };
  auto tagOf = [&](const std::string& word) { return std::stoi(value(word)); };
  for (const std::string& line : lines) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "set") {
      std::string name, text;
      in >> name >> text;
      vars[name] = value(text);
    } else if (word == "uniaxialMaterial") {
      ParsedMaterial m;
      std::string tagWord;
      in >> m.type >> tagWord;
      const int tag = tagOf(tagWord);
      for (double v; in >> v;) m.p.push_back(v);
      EXPECT_EQ(model.materials.count(tag), 0u) << "tag defined twice: " << line;
      model.materials[tag] = m;
    } else if (word == "fiber") {
      ParsedFiber f{};
      std::string tagWord;
      in >> f.yLoc >> f.zLoc >> f.area >> tagWord;
      EXPECT_TRUE(in) << line;
      f.tag = tagOf(tagWord);
      model.fibers.push_back(f);
    } else if (word == "section") {
      model.sectionLine = line;
    }
  }
  return model;
}

TEST(OpenSeesModelMaterials, EveryGroupFollowsTheProgramsLawExactly) {
  MapForm form;
  DistinctMaterials(form);
  Meshed m = MeshKind(form, 7);  // the composite column has all five groups
  ParsedModel model = Parse(Build(m, form).lines);
  ASSERT_EQ(model.materials.size(), 5u);

  const double concreteStrains[] = {0.001,   0,       -1e-5,   -0.0004, -0.0011, -0.0018,
                                    -0.0022, -0.0025, -0.0035, -0.006,  -0.05,   -0.5};
  const double steelStrains[] = {0,     0.0005, -0.0005, 0.00164, -0.00164, 0.0019, -0.0019,
                                 0.002, -0.002, 0.01,    -0.01,   0.2,      -0.2};
  const MaterialTags tags = ReadMaterialTags(form);
  int checked = 0;
  for (const FiberRecord& f : m.fibers) {
    if (f.material == CoreConcrete1Deduction) continue;
    int group = f.material == Rebar ? 3 : f.material == SteelShape ? 4 : f.material;
    const ParsedMaterial& law = model.materials.at(tags[static_cast<std::size_t>(group)]);
    if (IsConcrete(f.material)) {
      ASSERT_EQ(law.type, "Concrete01");
      for (double eps : concreteStrains) {
        double expected = 12345;
        ConcreteLaw(f.fc, f.e0, f.fcu, f.ecu, eps, f.concreteLawCode, expected);
        EXPECT_NEAR(law.Stress(eps), expected, 1e-12 * f.fc)
            << "code " << f.material << " at " << eps;
      }
    } else {
      ASSERT_EQ(law.type, "Steel01");
      // The hardening that keeps OpenSEES's tangent regular, and no more.
      const double b = law.p[2];
      EXPECT_GT(b, 0);
      EXPECT_LE(b, 1e-8);
      for (double eps : steelStrains) {
        double expected = 12345;
        SteelLaw(f.Es, f.fy, eps, f.steelLawCode, expected);
        EXPECT_NEAR(law.Stress(eps), expected, 1e-12 * f.fy + b * f.Es * std::fabs(eps))
            << "code " << f.material << " at " << eps;
      }
    }
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

TEST(OpenSeesModelMaterials, SharedTagsAreRefusedUnlessTheMaterialsAgree) {
  MapForm form;
  Meshed m = MeshKind(form, 0);
  // Edge and core concrete share their constants by default: one material.
  form.SetText("Edit65", "2");
  ParsedModel same = Parse(Build(m, form).lines);
  EXPECT_EQ(same.materials.size(), 2u);
  EXPECT_EQ(same.materials.at(2).type, "Concrete01");

  form.SetText("Edit68", "2");  // bars on the concrete's tag
  try {
    Build(m, form);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("编号 2"), std::string::npos) << e.what();
  }
  form.SetText("Edit68", "0");
  EXPECT_THROW(Build(m, form), Error);
}

TEST(OpenSeesModelMaterials, LawsOpenSeesCannotHoldAreRefused) {
  MapForm form;
  form.SetText("Edit19", "0");  // e0 = 0: a rigid-plastic concrete
  Meshed m = MeshKind(form, 0);
  EXPECT_THROW(Build(m, form), Error);
}

// ---------------------------------------------------------------------------
// The section against the program's sums

struct Sums {
  double force = 0, mx = 0, my = 0, scale = 0;
  double hardening = 0;  // bound of what Steel01's hardening adds to the force
};

// The parsed section's sums for the program's strain a·x + b·y + c.
Sums OpenSeesSums(const ParsedModel& model, bool localYIsProgramY, double a, double b, double c) {
  Sums s;
  for (const ParsedFiber& f : model.fibers) {
    double x = localYIsProgramY ? f.zLoc : f.yLoc;
    double y = localYIsProgramY ? f.yLoc : f.zLoc;
    const ParsedMaterial& m = model.materials.at(f.tag);
    const double strain = a * x + b * y + c;
    double force = m.Stress(strain) * f.area;
    if (m.type == "Steel01") s.hardening += m.p[2] * m.p[1] * std::fabs(strain * f.area);
    s.force += force;
    s.mx += force * y;
    s.my += force * x;
    s.scale += std::fabs(force);
  }
  return s;
}

TEST(OpenSeesModelSection, IntegratesToTheProgramsOwnSums) {
  struct State {
    const char* name;
    double a, b, c;
  };
  const State states[] = {{"uniform compression", 0, 0, -0.0012},
                          {"crushing everywhere", 0, 0, -0.004},
                          {"bending about X", 0, -2e-6, -0.0008},
                          {"bending about Y", 3e-6, 0, -0.0015},
                          {"biaxial", 1.5e-6, -1e-6, 0.0003}};
  for (int kind : {0, 4, 7}) {  // rectangular RC, circular CFST, composite
    for (bool twoD : {false, true}) {
      MapForm form;
      DistinctMaterials(form);
      Meshed m = MeshKind(form, kind);
      OpenSeesModelOptions options;
      options.threeD = !twoD;
      options.analysis = twoD ? SectionAnalysisAxis::AboutX : SectionAnalysisAxis::None;
      options.axialLevel = 100;
      ParsedModel model = Parse(Build(m, form, options).lines);
      ASSERT_EQ(model.fibers.size(), m.fibers.size());
      PackedFibers packed = PackFibers(m.fibers);
      PackedSumFn kernel = PackedSumFunction(KernelPath::Auto);
      for (const State& st : states) {
        SCOPED_TRACE(std::string(st.name) + ", kind " + std::to_string(kind + 1) +
                     (twoD ? ", 2D" : ", 3D"));
        Sums os = OpenSeesSums(model, twoD, st.a, st.b, st.c);
        TrialSums own = kernel(packed, st.a, st.b, st.c);
        SectionSums record = ProgramSectionSums(m.fibers, st.a, st.b, st.c);
        const double tol = 1e-12 * os.scale + 1e-9 + os.hardening;
        EXPECT_NEAR(os.force, own.force, tol);
        EXPECT_NEAR(os.force, record.force, tol);
        const double armTol = tol * 2000;
        EXPECT_NEAR(os.mx, own.momentX, armTol);
        EXPECT_NEAR(os.my, own.momentY, armTol);
        EXPECT_NEAR(os.mx, record.momentX, armTol);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Torsion, dimension, header

TEST(OpenSeesModelText, ThreeDimensionalSectionHasGjAndTwoDimensionalHasNone) {
  MapForm form;
  Meshed m = MeshKind(form, 0);
  OpenSeesModel model = Build(m, form);
  const std::vector<std::string>& lines = model.lines;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "model basic -ndm 3 -ndf 6"), lines.end());
  ParsedModel parsed = Parse(lines);
  std::istringstream in(parsed.sectionLine);
  std::string section, fiber, tag, gjWord, noCentroid, brace;
  double gj = 0;
  in >> section >> fiber >> tag >> gjWord >> gj >> noCentroid >> brace;
  EXPECT_EQ(fiber + " " + tag + " " + gjWord, "Fiber $sectionTag -GJ");
  EXPECT_EQ(noCentroid + " " + brace, "-noCentroid {");
  // 2200 × 2200: J = 0.1406·b⁴ (β of a square), G = Ec/2.4, Ec = 2·27.5/0.002.
  const double expected = 27500 / 2.4 * 2200.0 * 2200 * 2200 * 2200 * (1.0 / 3 - 0.21 * 11 / 12);
  EXPECT_NEAR(gj, expected, 1e-9 * expected);
  EXPECT_TRUE(model.gjComputed);
  EXPECT_NE(parsed.sectionLine.find(" -GJ " + FormatG17(model.gj) + " "), std::string::npos)
      << parsed.sectionLine;

  form.SetText("Edit90", "1e12");
  OpenSeesModel typed = Build(m, form, ReadOpenSeesModelOptions(form));
  EXPECT_EQ(Parse(typed.lines).sectionLine,
            "section Fiber $sectionTag -GJ 1000000000000 -noCentroid {");

  OpenSeesModelOptions twoD;
  twoD.threeD = false;
  OpenSeesModel flat = Build(m, form, twoD);
  EXPECT_NE(std::find(flat.lines.begin(), flat.lines.end(), "model basic -ndm 2 -ndf 3"),
            flat.lines.end());
  EXPECT_EQ(Parse(flat.lines).sectionLine, "section Fiber $sectionTag -noCentroid {");

  SectionParameters circle;
  circle.H = 1000;  // the diameter of the circular kinds
  const double pi = 3.14159265358979;
  EXPECT_NEAR(GrossTorsionalStiffness(CircleRc, circle, 24000, 0), 1e4 * pi / 32 * 1e12, 1e4);
  // A concrete-filled tube: the 20 mm steel wall with its own G = Es/2.6.
  circle.tw = 20;
  const double core = std::pow(960.0, 4), tube = 1e12 - core;
  EXPECT_NEAR(GrossTorsionalStiffness(CircleCfst, circle, 24000, 206000),
              (1e4 * core + 206000 / 2.6 * tube) * pi / 32, 1e4);
  circle.H = 0;
  EXPECT_THROW(GrossTorsionalStiffness(RectRc, circle, 24000, 0), Error);
}

TEST(OpenSeesModelText, NumbersReadTheSameEverywhere) {
  EXPECT_EQ(ModelNumber(44944), "44944.0");
  EXPECT_EQ(ModelNumber(-954), "-954.0");
  EXPECT_EQ(ModelNumber(-0.0), "0.0");
  EXPECT_EQ(ModelNumber(2200.0 / 3), "733.3333333333334");
  EXPECT_EQ(ModelNumber(1e-300), "1e-300");
  EXPECT_EQ(std::strtod(ModelNumber(0.1 + 0.2).c_str(), nullptr), 0.1 + 0.2);
  EXPECT_THROW(ModelNumber(std::nan("")), Error);
}

TEST(OpenSeesModelText, FiberLimitWarningGivesTheCount) {
  EXPECT_EQ(FiberLimitWarning(10000), "");
  std::string warning = FiberLimitWarning(12345);
  EXPECT_NE(warning.find("12345"), std::string::npos);
  EXPECT_NE(warning.find("10000"), std::string::npos);
  EXPECT_NE(warning.find("OpenSEES 3.8"), std::string::npos);

  MapForm form;
  form.SetText("Edit12", "120");  // a dense mesh of the default section
  form.SetText("Edit13", "120");
  Meshed m = MeshKind(form, 0);
  ASSERT_GT(m.fibers.size(), kOpenSeesFiberLimit);
  OpenSeesModel model = Build(m, form);
  EXPECT_EQ(model.warning, FiberLimitWarning(m.fibers.size()));
  bool commented = false;
  for (const std::string& line : model.lines) {
    commented |= line.rfind("# WARNING: OpenSEES 3.8 refuses", 0) == 0;
  }
  EXPECT_TRUE(commented);
}

// Comment lines may carry Chinese; each must end in ASCII (see the writer).
TEST(OpenSeesModelText, CommentLinesEndInAscii) {
  MapForm form;
  Meshed m = MeshKind(form, 7);
  for (const std::string& line : Build(m, form).lines) {
    if (line.empty()) continue;
    EXPECT_LT(static_cast<unsigned char>(line.back()), 0x80) << line;
  }
}

// ---------------------------------------------------------------------------
// Moment–curvature targets

TEST(OpenSeesModelAnalysis, CrushingStateBalancesTheAxialLevel) {
  MapForm form;
  for (int kind : {0, 3, 7}) {
    Meshed m = MeshKind(form, kind);
    for (auto axis : {SectionAnalysisAxis::AboutX, SectionAnalysisAxis::AboutY}) {
      const double level = 3000;
      PushState s = CrushingPushState(m.fibers, axis, level, -0.0035);
      ASSERT_GT(s.curvature, 0);
      // The compressed face is +y about X and -x about Y; its outermost
      // concrete corner must sit at ecu.
      const bool aboutX = axis == SectionAnalysisAxis::AboutX;
      double edge = -1e300;
      for (const FiberRecord& f : m.fibers) {
        if (!IsConcrete(f.material)) continue;
        for (double v : aboutX ? std::vector<double>{f.y1, f.y2, f.y3, f.y4}
                               : std::vector<double>{-f.x1, -f.x2, -f.x3, -f.x4})
          edge = std::max(edge, v);
      }
      EXPECT_NEAR(s.axialStrain - s.curvature * edge, -0.0035, 1e-12);
      SectionSums sums = aboutX ? ProgramSectionSums(m.fibers, 0, -s.curvature, s.axialStrain)
                                : ProgramSectionSums(m.fibers, s.curvature, 0, s.axialStrain);
      EXPECT_NEAR(-sums.force / 1000, level, 1e-6 * level);
      const double own = (aboutX ? -sums.momentX : sums.momentY) / 1e6;
      EXPECT_NEAR(s.M, own, 1e-9 * std::fabs(own));
      EXPECT_GT(s.M, 0);
    }
  }
}

TEST(OpenSeesModelAnalysis, LevelsTheSectionCannotReachAreRefused) {
  MapForm form;
  Meshed m = MeshKind(form, 0);
  const auto X = SectionAnalysisAxis::AboutX, Y = SectionAnalysisAxis::AboutY;
  EXPECT_THROW(CrushingPushState(m.fibers, X, 1e7, -0.0035), Error);
  EXPECT_THROW(CrushingPushState(m.fibers, Y, -1e7, -0.0035), Error);
  const PmSettings search;
  EXPECT_THROW(CapacityPushState(m.fibers, m.params.B, m.params.H, X, 1e7, search), Error);
  EXPECT_THROW(CapacityPushState(m.fibers, m.params.B, m.params.H, Y, -1e7, search), Error);
  form.SetItemIndex("ComboBox20", 1);
  form.SetText("Edit34", "0.0035");
  EXPECT_THROW(ReadOpenSeesModelOptions(form), Error);
  form.SetText("Edit34", "-0.0035");
  form.SetText("Edit92", "my file.out");
  EXPECT_THROW(ReadOpenSeesModelOptions(form), Error);
  form.SetText("Edit92", "{x}.out");
  EXPECT_THROW(ReadOpenSeesModelOptions(form), Error);
  form.SetText("Edit92", "mk.out");
  form.SetText("Edit91", "0");
  EXPECT_THROW(ReadOpenSeesModelOptions(form), Error);
}

TEST(OpenSeesModelAnalysis, PushesTheChosenRotationToTheTarget) {
  MapForm form;
  form.SetItemIndex("ComboBox20", 2);  // about Y
  form.SetText("Edit30", "4000");
  form.SetText("Edit91", "40");
  Meshed m = MeshKind(form, 0);
  OpenSeesModel model = Build(m, form, ReadOpenSeesModelOptions(form));
  const auto has = [&](const std::string& text) {
    return std::find(model.lines.begin(), model.lines.end(), text) != model.lines.end();
  };
  EXPECT_TRUE(has("fix $pushNode 0 1 1 1 1 0"));
  EXPECT_TRUE(has("    load $pushNode $axialForce 0.0 0.0 0.0 0.0 0.0"));
  EXPECT_TRUE(has("    load $pushNode 0.0 0.0 0.0 0.0 0.0 $pushSign"));
  EXPECT_TRUE(has("set axialForce " + ModelNumber(-model.target.P * 1000)));
  EXPECT_TRUE(has("set curvatureDof 6"));
  EXPECT_TRUE(has("set targetCurvature " + ModelNumber(model.target.curvature)));
  // The capacity state is found at the level asked for, and the MM curve
  // at 90 degrees gives nearly the same moment (its axis is tilted by 1/100).
  EXPECT_NEAR(model.target.P, 4000, 1);
  EXPECT_NEAR(model.mmMoment, model.target.M, 2e-3 * model.target.M);
}

// ---------------------------------------------------------------------------
// The text as Tcl and as Python

struct ShellRun {
  int status = -1;  // the exit status, or -1
  std::string out;
};

ShellRun RunShell(const std::string& command) {
  ShellRun run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) run.out.append(buf, n);
  const int status = pclose(pipe);
  if (status != -1 && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

bool HaveProgram(const char* name) {
  return RunShell(std::string("command -v ") + name + " >/dev/null").status == 0;
}

// One scratch directory per test run, removed when the run ends.
fs::path ScratchDir() {
  static test::TempFolder scratch("kumasec-model-test-");
  return scratch.path();
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::map<std::string, std::string> KeyValues(const std::string& out) {
  std::map<std::string, std::string> values;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    auto eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

std::vector<std::string> FileLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The four numbers of a result line: P, M, axial strain, curvature.
std::vector<double> Numbers(const std::string& line) {
  std::istringstream in(line);
  std::vector<double> v;
  for (double x; in >> x;) v.push_back(x);
  return v;
}

// What a stand-in run reports: the dimension, the fibers' net area and the
// calls of each command, which must match the model of `state`.
void ExpectStandInRun(const ShellRun& run, const AppState& state, bool threeD, int analyses) {
  ASSERT_EQ(run.status, 0) << run.out;
  std::map<std::string, std::string> values = KeyValues(run.out);
  double netArea = 0;
  for (const FiberRecord& f : state.fibers)
    netArea += f.material == CoreConcrete1Deduction ? -f.area : f.area;
  EXPECT_EQ(values["ndm"], threeD ? "3" : "2");
  EXPECT_EQ(values["fiber"], std::to_string(state.fibers.size()));
  EXPECT_NEAR(std::stod(values["area"]), netArea, 1e-9 * netArea);
  EXPECT_EQ(values["uniaxialMaterial"], "5");
  EXPECT_EQ(values["section"], "1");
  EXPECT_EQ(values["element"], "1");
  EXPECT_EQ(values["load"], "2");
  EXPECT_EQ(values["analyze"], std::to_string(analyses));
}

// The composite column (all material groups, deduction fibers) with a
// moment–curvature analysis, as the page would write it.
OpenSeesModel CompositeModel(AppState& state, bool threeD, int axis, OpenSeesLanguage language,
                             const std::string& resultFile = "mk.out", bool newLaws = false) {
  MapForm form;
  if (newLaws) {
    // Edge: Appendix C, core (1): Mander, core (2): filled-tube core,
    // bars: bilinear, structural steel: three branches.
    const std::pair<const char*, int> laws[] = {
        {"ComboBox2", 1}, {"ComboBox3", 2}, {"ComboBox4", 3}, {"ComboBox5", 1}, {"ComboBox6", 2}};
    for (const auto& [list, index] : laws) form.SetItemIndex(list, index);
    form.SetText("Edit98", "0.015");  // Mander's ρv and fyh
    form.SetText("Edit101", "400");
  }
  form.SetItemIndex("ComboBox1", 7);
  ApplySectionKindLayout(form);
  form.SetItemIndex("ComboBox19", threeD ? 0 : 1);
  form.SetItemIndex("ComboBox20", axis);
  form.SetText("Edit30", threeD ? "2000" : "-500");
  form.SetText("Edit91", "25");
  form.SetText("Edit92", resultFile);
  return OpenSeesModelCommand(state, form, language);
}

// Stand-ins for the OpenSEES commands: the ones that shape the model check
// their arguments and record the tags; the others must be OpenSEES commands
// and are counted. The analysis is a toy: a DisplacementControl step adds
// its increment to the controlled DOF, a LoadControl step its increment to
// the time, the imposed DOFs following time × value. Arguments after the
// model: the call from which every analyze fails (0: none) and the largest
// DisplacementControl increment that converges (0: any).
const char* kTclStandIns = R"TCL(
set counts [dict create]
set ndm 0
set materials [dict create]
set tags [list]
set area 0.0
set inSection 0
set time 0.0
set disp [dict create]
set imposed [dict create]
set mode none
set increment 0.0
set calls 0
lassign [lrange $argv 1 end] failFrom largestIncrement
if {$failFrom eq ""} { set failFrom 0 }
if {$largestIncrement eq ""} { set largestIncrement 0 }
proc count {name} { dict incr ::counts $name }
proc tag {t} { lappend ::tags $t }
proc need {condition what} {
    if {![uplevel 1 [list expr $condition]]} { error "bad call: $what" }
}
proc isnum {v} { string is double -strict $v }
proc unknown {name args} {
    need {$name in {wipe fix system numberer constraints test algorithm analysis}} \
        "unknown command $name"
    count $name
}
proc model {basic ndmFlag ndm ndfFlag ndf} {
    need {"$basic $ndmFlag $ndfFlag" eq "basic -ndm -ndf" && $ndf == ($ndm == 3 ? 6 : 3)} model
    set ::ndm $ndm
    count model
}
set wrapped [dict create]
proc uniaxialMaterial {type t args} {
    need {[string is integer -strict $t] && $t > 0 && ![dict exists $::materials $t]} "tag $t"
    if {$type eq "MinMax"} {
        lassign $args inner minFlag min maxFlag max
        need {[llength $args] == 5 && [dict exists $::materials $inner] && $minFlag eq "-min" &&
              $maxFlag eq "-max" && [isnum $max] && $max > 0 && $min == -$max} $args
        dict set ::wrapped $inner 1
    } else {
        foreach v $args { need {[isnum $v]} "material value $v" }
        lassign $args p1 p2 p3 p4 p5 p6
        switch -- $type {
            Concrete01 { need {[llength $args] == 4 && $p1 < 0 && $p2 < 0 && $p3 == $p1 && $p4 < $p2} $args }
            Concrete04 { need {[llength $args] == 4 && $p1 < 0 && $p2 < 0 && $p3 < $p2 && $p4 > 0} $args }
            Steel01 { need {[llength $args] == 3 && $p1 > 0 && $p2 > 0 && $p3 > 0 && $p3 < 1} $args }
            Hysteretic {
                need {[llength $args] == 16 && 0 < $p2 && $p2 < $p4 && $p4 < $p6 && $p1 > 0 &&
                      $p3 >= $p1 && $p5 >= $p3} $args
                foreach i {0 1 2 3 4 5} {
                    need {[lindex $args [expr {$i + 6}]] == -[lindex $args $i]} "mirror $args"
                }
            }
            default { error "material $type" }
        }
    }
    dict set ::materials $t $type
    tag $t
    count uniaxialMaterial
    count "material_$type"
}
proc section {type t args} {
    set options [lrange $args 0 end-1]
    set gj [expr {[lindex $options 0] eq "-GJ" ? [lindex $options 1] : 0}]
    set rest [expr {$gj != 0 ? [lrange $options 2 end] : $options}]
    need {$type eq "Fiber" && $rest eq "-noCentroid" && ($::ndm == 3) == ($gj > 0)} $options
    tag $t
    set ::inSection 1
    uplevel #0 [lindex $args end]
    set ::inSection 0
    count section
}
proc fiber {y z a t} {
    need {$::inSection && [isnum $y] && [isnum $z] && [isnum $a]} "fiber $y $z $a"
    need {[dict exists $::materials $t] && ![dict exists $::wrapped $t]} "fiber of material $t"
    set ::area [expr {$::area + $a}]
    count fiber
}
proc node {t args} { tag $t; count node }
proc element {type t n1 n2 s} { foreach v [list $t $n1 $n2 $s] { tag $v }; count element }
proc timeSeries {type t} { tag $t; count timeSeries }
proc pattern {type t series body} { tag $t; tag $series; uplevel #0 $body; count pattern }
proc load {n args} {
    need {[llength $args] == ($::ndm == 3 ? 6 : 3)} "load $args"
    tag $n
    count load
}
proc sp {n dof value} {
    need {[isnum $value]} "sp $value"
    dict set ::imposed $dof $value
    count sp
}
proc integrator {type args} {
    set ::mode $type
    if {$type eq "LoadControl"} {
        set ::increment [lindex $args 0]
    } else {
        lassign $args n ::dof ::increment
    }
    count integrator
}
proc analyze {n} {
    count analyze
    incr ::calls
    if {$::failFrom > 0 && $::calls >= $::failFrom} { return -3 }
    if {$::mode eq "DisplacementControl"} {
        if {$::largestIncrement > 0 && abs($::increment) > $::largestIncrement} { return -3 }
        dict set ::disp $::dof [expr {[nodeDisp 2 $::dof] + $::increment}]
    } else {
        set ::time [expr {$::time + $::increment}]
        dict for {d v} $::imposed { dict set ::disp $d [expr {$v * $::time}] }
    }
    return 0
}
proc nodeDisp {n dof} { expr {[dict exists $::disp $dof] ? [dict get $::disp $dof] : 0.0} }
proc getTime {} { return $::time }
proc loadConst {args} { set ::time 0.0; count loadConst }
proc eleResponse {t what} { lrepeat [expr {$::ndm == 3 ? 12 : 6}] 0.0 }
source [lindex $argv 0]
puts "ndm=$::ndm"
puts "area=$::area"
puts "tags=$::tags"
dict for {key n} $::counts { puts "$key=$n" }
)TCL";

// Runs `lines` as model.tcl in `dir` under the stand-ins.
ShellRun RunTcl(const fs::path& dir, const std::vector<std::string>& lines,
                const std::string& arguments = "") {
  fs::create_directories(dir);
  WriteText(dir / "standins.tcl", kTclStandIns);
  SaveOpenSeesText((dir / "model.tcl").string(), lines);
  return RunShell("cd " + dir.string() + " && tclsh standins.tcl model.tcl " + arguments);
}

// The form's column pushed about X at 3000 kN in ten steps.
OpenSeesModel RectangularPush(MapForm& form, AppState& state) {
  form.SetItemIndex("ComboBox17", 1);
  form.SetItemIndex("ComboBox20", 1);
  form.SetText("Edit30", "3000");
  form.SetText("Edit91", "10");
  return OpenSeesModelCommand(state, form, OpenSeesLanguage::Tcl);
}

TEST(OpenSeesModelTcl, RunsWithStandInCommands) {
  if (!HaveProgram("tclsh")) GTEST_SKIP() << "tclsh is not installed; the Tcl text is not run";
  for (bool threeD : {true, false}) {
    AppState state;
    OpenSeesModel model = CompositeModel(state, threeD, 1, OpenSeesLanguage::Tcl);
    const fs::path dir = ScratchDir() / (threeD ? "run3d" : "run2d");
    ShellRun run = RunTcl(dir, model.lines);
    ExpectStandInRun(run, state, threeD, 26);  // the axial force, then 25 curvature steps
    std::vector<std::string> results = FileLines(dir / "mk.out");
    ASSERT_EQ(results.size(), 26u);
    EXPECT_NEAR(Numbers(results.back()).at(3), model.target.curvature,
                1e-12 * model.target.curvature);
  }
}

TEST(OpenSeesModelTcl, StepsAreHalvedBeforeAnEarlyStopExitsWithStatusOne) {
  if (!HaveProgram("tclsh")) GTEST_SKIP() << "tclsh is not installed; the Tcl text is not run";
  MapForm form;
  AppState state;
  OpenSeesModel model = RectangularPush(form, state);
  const double step = model.target.curvature / 10;

  // Increments above a third of a step do not converge: each step is done
  // in quarters, and the push still reaches its target.
  ShellRun halved = RunTcl(ScratchDir() / "halved", model.lines, "0 " + FormatG17(step / 3));
  ASSERT_EQ(halved.status, 0) << halved.out;
  EXPECT_GT(std::stoi(KeyValues(halved.out)["analyze"]), 40);
  std::vector<std::string> results = FileLines(ScratchDir() / "halved" / "mk.out");
  ASSERT_EQ(results.size(), 11u);
  EXPECT_NEAR(Numbers(results.back()).at(3), model.target.curvature,
              1e-12 * model.target.curvature);

  // From the fourth analysis on nothing converges: the axial step and two
  // curvature steps are written, then the script ends with status 1.
  ShellRun stopped = RunTcl(ScratchDir() / "stopped", model.lines, "4");
  EXPECT_EQ(stopped.status, 1) << stopped.out;
  EXPECT_NE(stopped.out.find("Moment-curvature analysis stopped at step 3 of 10"),
            std::string::npos)
      << stopped.out;
  EXPECT_EQ(FileLines(ScratchDir() / "stopped" / "mk.out").size(), 3u);
}

TEST(OpenSeesModelTcl, ResultFolderIsCreated) {
  if (!HaveProgram("tclsh")) GTEST_SKIP() << "tclsh is not installed; the Tcl text is not run";
  MapForm form;
  AppState state;
  form.SetText("Edit92", "res/deep/mk.out");
  OpenSeesModel model = RectangularPush(form, state);
  ShellRun run = RunTcl(ScratchDir() / "folder", model.lines);
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(FileLines(ScratchDir() / "folder" / "res" / "deep" / "mk.out").size(), 11u);
}

// Every tag the model uses comes from the variables at its top: with them
// moved past the tags of an existing model, it adds itself without a clash.
TEST(OpenSeesModelTcl, TagsAreVariablesAndTheModelJoinsAnExistingOne) {
  if (!HaveProgram("tclsh")) GTEST_SKIP() << "tclsh is not installed; the Tcl text is not run";
  MapForm form;
  AppState state;
  form.SetItemIndex("ComboBox1", 7);  // every material group
  ApplySectionKindLayout(form);
  form.SetItemIndex("ComboBox46", 1);  // no wipe
  OpenSeesModel model = RectangularPush(form, state);
  const std::set<std::string> tagNames = {
      "sectionTag", "edgeConcreteTag", "coreConcrete1Tag", "coreConcrete2Tag", "rebarTag",
      "steelShapeTag", "baseNode", "pushNode", "elementTag", "axialSeries", "axialPattern",
      "pushSeries", "pushPattern"};
  std::vector<std::string> lines = {"uniaxialMaterial Steel01 1 400.0 200000.0 1e-9",
                                    "uniaxialMaterial Steel01 2 400.0 200000.0 1e-9"};
  int moved = 0;
  for (std::string line : model.lines) {
    std::istringstream in(line);
    std::string set, name;
    int tag = 0;
    if (in >> set >> name >> tag && set == "set" && tagNames.count(name) != 0) {
      line = "set " + name + " " + std::to_string(tag + 100);
      ++moved;
    }
    lines.push_back(line);
  }
  EXPECT_EQ(moved, 13);
  ShellRun run = RunTcl(ScratchDir() / "tags", lines);
  ASSERT_EQ(run.status, 0) << run.out;
  std::map<std::string, std::string> values = KeyValues(run.out);
  EXPECT_EQ(values.count("wipe"), 0u);
  std::istringstream tags(values["tags"]);
  int seen = 0;
  for (int tag; tags >> tag; ++seen) {
    if (seen >= 2) {
      EXPECT_GT(tag, 100) << "a tag not taken from the variables";
    }
  }
  EXPECT_GT(seen, 15);
}

// The proportional push imposes the capacity state's plane strain: at the
// target of a PM point the section's sums there are that point.
TEST(OpenSeesModelTcl, ProportionalPushEndsOnTheProgramsPmPoint) {
  if (!HaveProgram("tclsh")) GTEST_SKIP() << "tclsh is not installed; the Tcl text is not run";
  MapForm form;
  Meshed m = MeshKind(form, 0);
  double compression = 0, tension = 0;
  ComputeAxialCapacity(m.fibers, compression, tension);
  const PmSettings settings;  // the PM page's defaults, which the MM page shares
  PmCurve curveX, curveY;
  FiberArray scratch = m.fibers;
  SolvePmCurve(0, settings, m.params.B, m.params.H, scratch, compression, tension, curveX, curveY);
  SolvePmCurve(90, settings, m.params.B, m.params.H, scratch, compression, tension, curveX,
               curveY);
  struct Case {
    int axis, point;
  };
  for (Case c : {Case{1, 3}, Case{2, 8}}) {
    SCOPED_TRACE("axis " + std::to_string(c.axis) + ", point " + std::to_string(c.point));
    const PmCurve& curve = c.axis == 1 ? curveX : curveY;
    form.SetItemIndex("ComboBox20", c.axis);
    form.SetItemIndex("ComboBox45", 1);
    form.SetText("Edit30", FormatG17(tension + (compression - tension) / settings.n * c.point));
    form.SetText("Edit91", "20");
    const OpenSeesModel model = Build(m, form, ReadOpenSeesModelOptions(form));
    const fs::path dir = ScratchDir() / ("proportional" + std::to_string(c.axis));
    ShellRun run = RunTcl(dir, model.lines);
    ASSERT_EQ(run.status, 0) << run.out;
    std::vector<std::string> results = FileLines(dir / "mk.out");
    ASSERT_EQ(results.size(), 21u);
    const std::vector<double> last = Numbers(results.back());
    ASSERT_EQ(last.size(), 4u);
    // The section's sums for ε = ε0 − κ·t, t = y about X and −x about Y.
    const double eps0 = last[2], kappa = last[3];
    const ParsedModel parsed = Parse(model.lines);
    const Sums sums = c.axis == 1 ? OpenSeesSums(parsed, false, 0, -kappa, eps0)
                                  : OpenSeesSums(parsed, false, kappa, 0, eps0);
    const double P = -sums.force / 1000, M = (c.axis == 1 ? -sums.mx : sums.my) / 1e6;
    // Equal but for Steel01's hardening of 1e-9 (5e-9 of fy at 0.01).
    EXPECT_NEAR(P, curve.P[c.point], 1e-7 * compression);
    EXPECT_NEAR(M, curve.M[c.point], 1e-7 * curve.M[c.point]);
  }
}

const char* kPythonStandIns = R"PY(
import atexit
import os

counts = {}
state = {'ndm': 0, 'area': 0.0, 'materials': set(), 'wrapped': set(), 'time': 0.0, 'disp': {}, 'imposed': {},
         'mode': None, 'dof': 0, 'increment': 0.0, 'calls': 0}
FAIL_FROM = int(os.environ.get('FAIL_FROM', '0'))
OTHERS = {'wipe', 'node', 'fix', 'element', 'timeSeries', 'pattern', 'system', 'numberer',
          'constraints', 'test', 'algorithm', 'analysis'}


def _count(name):
    counts[name] = counts.get(name, 0) + 1


def _numbers(*values):
    assert all(isinstance(v, (int, float)) and not isinstance(v, bool) for v in values), values


def __getattr__(name):
    assert name in OTHERS, name
    return lambda *args: _count(name)


def model(basic, ndm_flag, ndm, ndf_flag, ndf):
    assert (basic, ndm_flag, ndf_flag) == ('basic', '-ndm', '-ndf')
    assert ndf == (6 if ndm == 3 else 3)
    state['ndm'] = ndm
    _count('model')


def uniaxialMaterial(kind, tag, *values):
    assert isinstance(tag, int) and tag > 0 and tag not in state['materials'], tag
    if kind == 'MinMax':
        assert len(values) == 5 and values[0] in state['materials'], values
        assert values[1::2] == ('-min', '-max') and values[2] == -values[4] < 0, values
        state['wrapped'].add(values[0])
    else:
        assert len(values) == {'Concrete01': 4, 'Concrete04': 4, 'Steel01': 3,
                               'Hysteretic': 16}[kind], values
        _numbers(*values)
    state['materials'].add(tag)
    _count('uniaxialMaterial')
    _count('material_' + kind)


def section(kind, tag, *options):
    gj = options[1] if options[:1] == ('-GJ',) else 0
    assert kind == 'Fiber' and options[-1] == '-noCentroid', options
    assert (state['ndm'] == 3) == (gj > 0), options
    _count('section')


def fiber(y, z, area, tag):
    _numbers(y, z, area)
    assert tag in state['materials'] and tag not in state['wrapped'], tag
    state['area'] += area
    _count('fiber')


def load(node, *values):
    assert len(values) == (6 if state['ndm'] == 3 else 3), values
    _numbers(*values)
    _count('load')


def sp(node, dof, value):
    _numbers(value)
    state['imposed'][dof] = value
    _count('sp')


def integrator(kind, *args):
    state['mode'] = kind
    if kind == 'LoadControl':
        state['increment'] = args[0]
    else:
        state['dof'], state['increment'] = args[1], args[2]
    _count('integrator')


def analyze(steps):
    _count('analyze')
    state['calls'] += 1
    if FAIL_FROM and state['calls'] >= FAIL_FROM:
        return -3
    if state['mode'] == 'DisplacementControl':
        state['disp'][state['dof']] = nodeDisp(2, state['dof']) + state['increment']
    else:
        state['time'] += state['increment']
        for dof, value in state['imposed'].items():
            state['disp'][dof] = value * state['time']
    return 0


def nodeDisp(node, dof):
    return state['disp'].get(dof, 0.0)


def getTime():
    return state['time']


def loadConst(*args):
    state['time'] = 0.0
    _count('loadConst')


def eleResponse(tag, what):
    return [0.0] * (12 if state['ndm'] == 3 else 6)


@atexit.register
def _report():
    print('ndm=%d' % state['ndm'])
    print('area=%r' % state['area'])
    for key in sorted(counts):
        print('%s=%d' % (key, counts[key]))
)PY";

TEST(OpenSeesModelPython, CompilesAndRunsWithStandInCommands) {
  if (!HaveProgram("python3"))
    GTEST_SKIP() << "python3 is not installed; the Python text is not run";
  const fs::path dir = ScratchDir();
  fs::create_directories(dir / "stub" / "openseespy");
  WriteText(dir / "stub" / "openseespy" / "__init__.py", "");
  WriteText(dir / "stub" / "openseespy" / "opensees.py", kPythonStandIns);
  const std::string python = "cd " + dir.string() + " && PYTHONPATH=" + (dir / "stub").string();
  for (bool threeD : {true, false}) {
    AppState state;
    OpenSeesModel model =
        CompositeModel(state, threeD, 2, OpenSeesLanguage::Python, "py/out/mk.out");
    const fs::path file = dir / "model.py";
    SaveOpenSeesText(file.string(), model.lines);
    ShellRun compiled = RunShell("python3 -m py_compile " + file.string());
    ASSERT_EQ(compiled.status, 0) << compiled.out;
    ShellRun run = RunShell(python + " python3 " + file.string());
    ExpectStandInRun(run, state, threeD, 26);
    EXPECT_NE(run.out.find("Moment-curvature analysis done: 25 steps"), std::string::npos);
    EXPECT_EQ(FileLines(dir / "py" / "out" / "mk.out").size(), 26u);
    ShellRun stopped = RunShell(python + " FAIL_FROM=2 python3 " + file.string());
    EXPECT_EQ(stopped.status, 1) << stopped.out;
    EXPECT_NE(stopped.out.find("stopped at step 1 of 25"), std::string::npos) << stopped.out;
  }
}

// The laws with a descending branch or a rupture, in both languages: the
// stand-ins accept their materials, the fibers use the MinMax wrappers of
// the steels, and each group has the material it maps to.
TEST(OpenSeesModelPython, NewLawsRunWithStandInCommandsInBothLanguages) {
  if (!HaveProgram("tclsh") || !HaveProgram("python3"))
    GTEST_SKIP() << "tclsh or python3 is not installed; the texts are not run";
  const fs::path dir = ScratchDir() / "laws";
  fs::create_directories(dir / "stub" / "openseespy");
  WriteText(dir / "stub" / "openseespy" / "__init__.py", "");
  WriteText(dir / "stub" / "openseespy" / "opensees.py", kPythonStandIns);
  for (OpenSeesLanguage language : {OpenSeesLanguage::Tcl, OpenSeesLanguage::Python}) {
    AppState state;
    OpenSeesModel model = CompositeModel(state, true, 1, language, "mk.out", true);
    ShellRun run;
    if (language == OpenSeesLanguage::Tcl) {
      run = RunTcl(dir, model.lines);
    } else {
      SaveOpenSeesText((dir / "model.py").string(), model.lines);
      run = RunShell("cd " + dir.string() + " && PYTHONPATH=" + (dir / "stub").string() +
                     " python3 model.py");
    }
    ASSERT_EQ(run.status, 0) << run.out;
    std::map<std::string, std::string> values = KeyValues(run.out);
    EXPECT_EQ(values["material_Concrete04"], "3");
    EXPECT_EQ(values["material_Steel01"], "1");
    EXPECT_EQ(values["material_Hysteretic"], "1");
    EXPECT_EQ(values["material_MinMax"], "2");
    EXPECT_EQ(values.count("material_Concrete01"), 0u);
    EXPECT_EQ(values["fiber"], std::to_string(state.fibers.size()));
    EXPECT_EQ(values["analyze"], "26");
  }
}

// ---------------------------------------------------------------------------
// The page's commands

TEST(OpenSeesPage, FiberTextStaysTheDefaultAndUnchanged) {
  MapForm form;
  AppState state;
  OpenSeesPageCommand(state, form);
  std::vector<std::string> fiberText = BuildOpenSeesScript(state.fibers, ReadMaterialTags(form));
  EXPECT_EQ(form.MemoLines("Memo1"), fiberText);
  EXPECT_EQ(form.MemoLines("Memo2"), (std::vector<std::string>{"纤维数：248"}));

  form.SetItemIndex("ComboBox17", 1);
  form.SetItemIndex("ComboBox18", 1);
  OpenSeesPageCommand(state, form);
  std::vector<std::string> lines = form.MemoLines("Memo1");
  ASSERT_GT(lines.size(), 250u);
  EXPECT_EQ(lines[0], "# -*- coding: utf-8 -*-");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "import openseespy.opensees as ops"),
            lines.end());
  std::vector<std::string> notes = form.MemoLines("Memo2");
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[1].rfind("GJ = ", 0), 0u) << notes[1];
}

TEST(OpenSeesPage, SavedTextIsUtf8WithLineFeeds) {
  const fs::path file = ScratchDir() / "saved.tcl";
  SaveOpenSeesPageText(file.string(), "# 矩形混凝土柱 (x)\r\nwipe\nmodel basic");
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes,
            "# \xE7\x9F\xA9\xE5\xBD\xA2\xE6\xB7\xB7\xE5\x87\x9D\xE5\x9C\x9F\xE6\x9F\xB1 (x)"
            "\nwipe\nmodel basic\n");
  EXPECT_THROW(SaveOpenSeesPageText((ScratchDir() / "no" / "such" / "dir.tcl").string(), "x"),
               Error);
}

}  // namespace
}  // namespace kuma
