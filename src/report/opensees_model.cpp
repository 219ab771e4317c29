// The complete OpenSEES model of the meshed section, in Tcl or OpenSeesPy.
#include "report/opensees_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "material/laws.h"
#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSectionTag = 1;

// ---------------------------------------------------------------------------
// Material groups

struct MaterialGroup {
  const char* name;  // as the material pages call the group
  int tagIndex;      // into MaterialTags
  bool concrete;
};

// Edge concrete, core concrete (1) (and its deductions), core concrete (2),
// bars, structural steel.
const MaterialGroup kGroups[5] = {{"边缘区混凝土", 0, true},
                                  {"核心区混凝土(1)", 1, true},
                                  {"核心区混凝土(2)", 2, true},
                                  {"钢筋", 3, false},
                                  {"型钢", 4, false}};

int GroupOf(std::int32_t material) {
  switch (material) {
    case EdgeConcrete:
      return 0;
    case CoreConcrete1:
    case CoreConcrete1Deduction:
      return 1;
    case CoreConcrete2:
      return 2;
    case Rebar:
      return 3;
    case SteelShape:
      return 4;
    default:
      return -1;
  }
}

// One uniaxialMaterial of the model: the group's constants as the fibers
// carry them.
struct ModelMaterial {
  int group = 0;
  int tag = 0;
  double fc = 0, e0 = 0;  // concrete
  double Es = 0, fy = 0;  // steel
  bool SameAs(const ModelMaterial& o) const {
    return kGroups[group].concrete == kGroups[o.group].concrete && fc == o.fc && e0 == o.e0 &&
           Es == o.Es && fy == o.fy;
  }
};

// Concrete01 needs a crushing strain beyond epsc0; with fpcu = fpc any value
// gives the plateau, so one far beyond every strain a section reaches.
double ConcreteCrushingStrain(double e0) { return -std::max(1.0, 10 * e0); }

ModelMaterial CheckedMaterial(const FiberRecord& f, int group, int tag) {
  const MaterialGroup& g = kGroups[group];
  if (tag < 1) {
    throw Error(std::string("OpenSEES 材料编号必须是正整数：") + g.name + "的编号为 " +
                FormatInt(tag));
  }
  ModelMaterial m;
  m.group = group;
  m.tag = tag;
  if (g.concrete) {
    if (f.concreteLawCode != 1 || !(f.fc > 0) || !(f.e0 > 0) || !std::isfinite(f.fc) ||
        !std::isfinite(f.e0)) {
      throw Error(std::string(g.name) +
                  "的 fc 和 e0 必须是正数，才能写成 OpenSEES 的 Concrete01 材料");
    }
    m.fc = f.fc;
    m.e0 = f.e0;
  } else {
    if (f.steelLawCode != 1 || !(f.Es > 0) || !(f.fy > 0) || !std::isfinite(f.Es) ||
        !std::isfinite(f.fy)) {
      throw Error(std::string(g.name) +
                  "的 Es 和 fy 必须是正数，才能写成 OpenSEES 的 Steel01 材料");
    }
    m.Es = f.Es;
    m.fy = f.fy;
  }
  return m;
}

// The materials of the groups the section uses, in group order, one per
// tag. Two groups may share a tag only when their materials are the same.
std::vector<ModelMaterial> CollectMaterials(const FiberArray& fibers, const MaterialTags& tags) {
  std::optional<ModelMaterial> byGroup[5];
  for (const FiberRecord& f : fibers) {
    int group = GroupOf(f.material);
    if (group < 0 || byGroup[group]) continue;
    byGroup[group] = CheckedMaterial(f, group, tags[static_cast<std::size_t>(group)]);
  }
  std::vector<ModelMaterial> materials;
  for (const auto& candidate : byGroup) {
    if (!candidate) continue;
    bool written = false;
    for (const ModelMaterial& m : materials) {
      if (m.tag != candidate->tag) continue;
      if (!m.SameAs(*candidate)) {
        throw Error(std::string(kGroups[m.group].name) + "与" + kGroups[candidate->group].name +
                    "使用同一个 OpenSEES 编号 " + FormatInt(m.tag) + "，但材料参数不同");
      }
      written = true;
    }
    if (!written) materials.push_back(*candidate);
  }
  return materials;
}

// ---------------------------------------------------------------------------
// Writing Tcl or Python

// One argument of a command: a number or a word (quoted in Python).
struct Arg {
  std::string text;
  bool word = false;
};

Arg Word(const std::string& text) { return {text, true}; }
Arg Num(double value) { return {ModelNumber(value), false}; }
Arg Int(long long value) { return {FormatInt(value), false}; }

class ModelWriter {
 public:
  explicit ModelWriter(OpenSeesLanguage language) : python_(language == OpenSeesLanguage::Python) {}

  bool Python() const { return python_; }
  void Line(const std::string& text) { lines_.push_back(indent_ + text); }
  void Blank() { lines_.emplace_back(); }
  void Comment(const std::string& text) { Line("# " + text); }

  // `name a b c` or `ops.name(a, b, c)`.
  void Call(const std::string& name, const std::vector<Arg>& args) {
    std::string text = python_ ? "ops." + name + "(" : name;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (python_) {
        if (i > 0) text += ", ";
        text += args[i].word ? "'" + args[i].text + "'" : args[i].text;
      } else {
        text += " " + args[i].text;
      }
    }
    if (python_) text += ")";
    Line(text);
  }

  // A Tcl command whose last argument is a braced body of further commands;
  // in Python the command comes first and the body's calls follow it.
  void OpenBlock(const std::string& name, const std::vector<Arg>& args) {
    if (python_) {
      Call(name, args);
      return;
    }
    std::string text = name;
    for (const Arg& a : args) text += " " + a.text;
    Line(text + " {");
    indent_ = "    ";
  }
  void CloseBlock() {
    if (python_) return;
    indent_.clear();
    Line("}");
  }

  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  bool python_;
  std::string indent_;
  std::vector<std::string> lines_;
};

// The name of a section kind (1..8), as ComboBox1 lists it.
std::string KindName(int sectionType) {
  const auto& kinds = DropDownLists().front().entries;
  if (sectionType < 1 || sectionType > static_cast<int>(kinds.size())) return "?";
  return kinds[static_cast<std::size_t>(sectionType - 1)];
}

// Comment lines may hold Chinese text; each ends with an ASCII character, so
// that a reader decoding the file in a double-byte code page cannot swallow
// the line end into the comment and lose the next command.
void WriteHeader(ModelWriter& w, const FiberArray& fibers, int sectionType,
                 const OpenSeesModelOptions& options) {
  if (w.Python()) w.Line("# -*- coding: utf-8 -*-");
  w.Comment("KumaSec v1.3: OpenSEES model of the fiber section");
  w.Comment("Date: " + options.date);
  w.Comment("Section kind: " + FormatInt(sectionType) + " (" + KindName(sectionType) + ")");
  w.Comment("Units: N, mm; stresses N/mm2, moments N*mm");
  w.Comment("Fibers: " + FormatInt(static_cast<long long>(fibers.size())) + ", section tag " +
            FormatInt(kSectionTag));
  if (fibers.size() > kOpenSeesFiberLimit) {
    w.Comment("WARNING: OpenSEES 3.8 refuses a fiber section of more than " +
              FormatInt(static_cast<long long>(kOpenSeesFiberLimit)) + " fibers; this one has " +
              FormatInt(static_cast<long long>(fibers.size())) + ".");
  }
  w.Blank();
  if (w.Python()) {
    w.Line("import openseespy.opensees as ops");
    w.Blank();
  }
  w.Call("wipe", {});
  if (options.threeD) {
    w.Call("model", {Word("basic"), Word("-ndm"), Int(3), Word("-ndf"), Int(6)});
  } else {
    w.Call("model", {Word("basic"), Word("-ndm"), Int(2), Word("-ndf"), Int(3)});
  }
  w.Blank();
}

void WriteMaterials(ModelWriter& w, const std::vector<ModelMaterial>& materials) {
  w.Comment("Materials. Concrete01 with fpc = -fc, epsc0 = -e0, fpcu = -fc: the parabola");
  w.Comment("up to e0, then the plateau fc, no tension. Steel01 with b = 0: elastic-");
  w.Comment("perfectly plastic. Both are the program's own laws on loading.");
  for (const ModelMaterial& m : materials) {
    const MaterialGroup& g = kGroups[m.group];
    if (g.concrete) {
      w.Comment(std::string(g.name) + " (fc = " + ModelNumber(m.fc) +
                ", e0 = " + ModelNumber(m.e0) + ")");
      w.Call("uniaxialMaterial", {Word("Concrete01"), Int(m.tag), Num(-m.fc), Num(-m.e0),
                                  Num(-m.fc), Num(ConcreteCrushingStrain(m.e0))});
    } else {
      w.Comment(std::string(g.name) + " (Es = " + ModelNumber(m.Es) +
                ", fy = " + ModelNumber(m.fy) + ")");
      w.Call("uniaxialMaterial", {Word("Steel01"), Int(m.tag), Num(m.fy), Num(m.Es), Num(0.0)});
    }
  }
  w.Blank();
}

// Young's modulus for the gross torsional stiffness: the initial modulus
// 2·fc/e0 of core concrete (1), else of another concrete group.
double ConcreteModulus(const FiberArray& fibers) {
  for (int group : {1, 0, 2}) {
    for (const FiberRecord& f : fibers) {
      if (GroupOf(f.material) == group) return 2 * f.fc / f.e0;
    }
  }
  throw Error("截面没有混凝土，无法计算毛截面的 GJ；请在 GJ 框中输入数值");
}

void WriteSection(ModelWriter& w, const FiberArray& fibers, const MaterialTags& tags,
                  const OpenSeesModelOptions& options, bool localYIsProgramY, double gj,
                  bool gjComputed, double Ec) {
  if (options.threeD) {
    if (gjComputed) {
      w.Comment("GJ of the gross section: G*J, G = Ec/(2*(1 + 0.2)) with Ec = 2*fc/e0 = " +
                ModelNumber(Ec) + " N/mm2");
      w.Comment("of the first concrete group (core concrete 1 when present); J of the outline");
    } else {
      w.Comment("GJ as given on the OpenSEES page");
    }
  }
  w.Comment(localYIsProgramY ? "fiber yLoc zLoc A matTag: yLoc = the program's y, zLoc = its x"
                             : "fiber yLoc zLoc A matTag: yLoc = the program's x, zLoc = its y");
  w.Comment("The section keeps the program's origin (-noCentroid). A deduction fiber is");
  w.Comment("core concrete (1) of negative area: it cancels the concrete placed under it.");
  std::vector<Arg> args = {Word("Fiber"), Int(kSectionTag)};
  if (options.threeD) {
    args.push_back(Word("-GJ"));
    args.push_back(Num(gj));
  }
  args.push_back(Word("-noCentroid"));
  w.OpenBlock("section", args);
  for (const FiberRecord& f : fibers) {
    int group = GroupOf(f.material);
    if (group < 0) continue;  // no mesher makes other codes
    double area = f.material == CoreConcrete1Deduction ? -f.area : f.area;
    double yLoc = localYIsProgramY ? f.y : f.x;
    double zLoc = localYIsProgramY ? f.x : f.y;
    w.Call("fiber", {Num(yLoc), Num(zLoc), Num(area), Int(tags[static_cast<std::size_t>(group)])});
  }
  w.CloseBlock();
}

// ---------------------------------------------------------------------------
// Moment–curvature analysis

// The curvature about the chosen axis is the rotation DOF of node 2: 5
// (about global Y, the section's local y: the program's X axis) or 6 in 3D,
// 3 in 2D. The axial force is DOF 1.
int CurvatureDof(const OpenSeesModelOptions& o) {
  if (!o.threeD) return 3;
  return o.analysis == SectionAnalysisAxis::AboutX ? 5 : 6;
}

std::vector<Arg> NodeLoad(const OpenSeesModelOptions& o, double axial, double moment) {
  const int dofs = o.threeD ? 6 : 3;
  std::vector<Arg> args = {Int(2)};
  for (int dof = 1; dof <= dofs; ++dof) {
    double v = dof == 1 ? axial : (dof == CurvatureDof(o) ? moment : 0.0);
    args.push_back(Num(v));
  }
  return args;
}

void WriteFixes(ModelWriter& w, const OpenSeesModelOptions& o) {
  const int dofs = o.threeD ? 6 : 3;
  std::vector<Arg> fixed = {Int(1)}, free = {Int(2)};
  for (int dof = 1; dof <= dofs; ++dof) {
    fixed.push_back(Int(1));
    free.push_back(Int(dof == 1 || dof == CurvatureDof(o) ? 0 : 1));
  }
  std::vector<Arg> origin = {Int(0)};
  for (int i = 0; i < (o.threeD ? 3 : 2); ++i) origin.push_back(Num(0.0));
  origin[0] = Int(1);
  w.Call("node", origin);
  origin[0] = Int(2);
  w.Call("node", origin);
  w.Call("fix", fixed);
  w.Call("fix", free);
}

void WriteStepLoop(ModelWriter& w, int steps) {
  if (w.Python()) {
    w.Line("step = 0");
    w.Line("while ok == 0 and step < " + FormatInt(steps) + ":");
    w.Line("    ok = ops.analyze(1)");
    w.Line("    if ok != 0:");
    w.Line("        ops.algorithm('ModifiedNewton', '-initial')");
    w.Line("        ok = ops.analyze(1)");
    w.Line("        ops.algorithm('Newton')");
    w.Line("    step += 1");
    w.Line("if ok != 0:");
    w.Line("    print('Moment-curvature analysis stopped at step', step)");
    w.Line("else:");
    w.Line("    print('Moment-curvature analysis done:', step, 'steps')");
    return;
  }
  w.Line("set step 0");
  w.Line("while {$ok == 0 && $step < " + FormatInt(steps) + "} {");
  w.Line("    set ok [analyze 1]");
  w.Line("    if {$ok != 0} {");
  w.Line("        algorithm ModifiedNewton -initial");
  w.Line("        set ok [analyze 1]");
  w.Line("        algorithm Newton");
  w.Line("    }");
  w.Line("    incr step");
  w.Line("}");
  w.Line("if {$ok != 0} {");
  w.Line("    puts \"Moment-curvature analysis stopped at step $step\"");
  w.Line("} else {");
  w.Line("    puts \"Moment-curvature analysis done: $step steps\"");
  w.Line("}");
}

void WriteAnalysis(ModelWriter& w, const OpenSeesModelOptions& o, double curvature, double moment) {
  const bool aboutX = o.analysis == SectionAnalysisAxis::AboutX;
  w.Blank();
  w.Comment(std::string("Moment-curvature analysis about the program's ") + (aboutX ? "X" : "Y") +
            " axis: a zero-length section");
  w.Comment("element, the axial force of the MM page held constant, the curvature pushed");
  w.Comment("to the state where the compressed concrete edge reaches ecu = " + ModelNumber(o.ecu) +
            ".");
  w.Comment("Axial force: " + FormatFixed(o.axialLevel, 3) + " kN (compression positive)");
  w.Comment("Ultimate curvature: " + ModelNumber(curvature) +
            " 1/mm; the program's own moment there: " + FormatFixed(moment, 3) + " kN*m");
  w.Comment("(The program's sums do not depend on the loading path; Concrete01 unloads along");
  w.Comment("its own hysteresis, so where fibers unload the moment here may differ slightly.)");
  w.Comment(o.resultFile + ": one line per step, moment (N*mm) and curvature (1/mm)");
  WriteFixes(w, o);
  w.Call("element", {Word("zeroLengthSection"), Int(1), Int(1), Int(2), Int(kSectionTag)});
  w.Call("recorder", {Word("Node"), Word("-file"), Word(o.resultFile), Word("-time"), Word("-node"),
                      Int(2), Word("-dof"), Int(CurvatureDof(o)), Word("disp")});
  w.Call("timeSeries", {Word("Constant"), Int(1)});
  w.OpenBlock("pattern", {Word("Plain"), Int(1), Int(1)});
  w.Call("load", NodeLoad(o, -o.axialLevel * 1000, 0.0));
  w.CloseBlock();
  w.Call("system", {Word("BandGeneral")});
  w.Call("numberer", {Word("Plain")});
  w.Call("constraints", {Word("Plain")});
  w.Call("test", {Word("NormDispIncr"), Num(1e-12), Int(50)});
  w.Call("algorithm", {Word("Newton")});
  w.Call("integrator", {Word("LoadControl"), Num(0.0)});
  w.Call("analysis", {Word("Static")});
  w.Line(w.Python() ? "ok = ops.analyze(1)" : "set ok [analyze 1]");
  w.Call("loadConst", {Word("-time"), Num(0.0)});
  w.Call("timeSeries", {Word("Linear"), Int(2)});
  w.OpenBlock("pattern", {Word("Plain"), Int(2), Int(2)});
  w.Call("load", NodeLoad(o, 0.0, 1.0));
  w.CloseBlock();
  w.Call("integrator",
         {Word("DisplacementControl"), Int(2), Int(CurvatureDof(o)), Num(curvature / o.steps)});
  WriteStepLoop(w, o.steps);
  w.Call("remove", {Word("recorders")});
}

// The bending coordinate of the analysis and the side it compresses: the
// strain grows towards compression with s·coordinate. In 3D a positive
// rotation about global Y stretches the side of positive local z (the
// program's y) and one about global Z compresses positive local y (the
// program's x); in 2D the section's local y is compressed.
struct BendingSide {
  bool aboutX;
  double s;
};

BendingSide SideOf(SectionAnalysisAxis axis, bool threeD) {
  bool aboutX = axis == SectionAnalysisAxis::AboutX;
  return {aboutX, aboutX && threeD ? -1.0 : 1.0};
}

double Along(const BendingSide& side, double x, double y) { return side.s * (side.aboutX ? y : x); }

std::string Kn(double value) { return FormatFixed(value, 1); }

bool FileNameFitsModel(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 0x21 || c == 0x7F) return false;  // blanks and control characters
    if (std::string("\"'{}[]$\\;#").find(static_cast<char>(c)) != std::string::npos) return false;
  }
  return true;
}

}  // namespace

std::string ModelNumber(double value) {
  value = CheckedFinite(value);
  if (value == 0) value = 0;  // no "-0.0"
  char buf[64];
  auto result = std::to_chars(buf, buf + sizeof buf, value);
  std::string text(buf, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string FiberLimitWarning(std::size_t fiberCount) {
  if (fiberCount <= kOpenSeesFiberLimit) return {};
  return "警告：截面共有 " + FormatInt(static_cast<long long>(fiberCount)) +
         " 根纤维，超过 OpenSEES 3.8 的上限 " +
         FormatInt(static_cast<long long>(kOpenSeesFiberLimit)) +
         " 根，OpenSEES 3.8 会拒绝这个截面（退出状态 255）。请减少网格划分数。";
}

double GrossTorsionalStiffness(int sectionType, const SectionParameters& params, double Ec) {
  double J = 0;
  if (sectionType == CircleRc || sectionType == CircleCfst || sectionType == CircleSteelRc) {
    J = kPi * std::pow(params.H, 4) / 32;
  } else {
    double a = std::max(std::fabs(params.B), std::fabs(params.H));
    double b = std::min(std::fabs(params.B), std::fabs(params.H));
    if (a > 0) J = a * b * b * b * (1.0 / 3 - 0.21 * (b / a) * (1 - std::pow(b / a, 4) / 12));
  }
  double gj = Ec / (2 * (1 + 0.2)) * J;
  if (!(gj > 0) || !std::isfinite(gj)) {
    throw Error("无法计算毛截面的 GJ；请在 GJ 框中输入数值");
  }
  return gj;
}

SectionSums ProgramSectionSums(const FiberArray& fibers, double a, double b, double c) {
  SectionSums sums;
  for (const FiberRecord& f : fibers) {
    double strain = a * f.x + b * f.y + c;
    double stress = 0;
    if (IsConcrete(f.material) || f.material == CoreConcrete1Deduction) {
      ConcreteLaw(f.fc, f.e0, f.fcu, f.ecu, strain, f.concreteLawCode, stress);
      if (f.material == CoreConcrete1Deduction) stress = -stress;
    } else if (IsSteel(f.material)) {
      SteelLaw(f.Es, f.fy, strain, f.steelLawCode, stress);
    }
    double force = stress * f.area;
    sums.force += force;
    sums.momentX += force * f.y;
    sums.momentY += force * f.x;
  }
  return sums;
}

double UltimateCurvature(const FiberArray& fibers, SectionAnalysisAxis axis, bool threeD,
                         double axialLevel, double ecu, double& moment) {
  const BendingSide side = SideOf(axis, threeD);
  // The compressed concrete edge: the outermost corner of a concrete fiber.
  double edge = -HUGE_VAL, low = HUGE_VAL;
  for (const FiberRecord& f : fibers) {
    const double xs[4] = {f.x1, f.x2, f.x3, f.x4}, ys[4] = {f.y1, f.y2, f.y3, f.y4};
    for (int k = 0; k < 4; ++k) {
      if (IsConcrete(f.material)) edge = std::max(edge, Along(side, xs[k], ys[k]));
    }
    low = std::min(low, Along(side, f.x, f.y));
  }
  if (edge == -HUGE_VAL) throw Error("截面没有混凝土纤维，无法按混凝土极限应变进行弯矩-曲率分析");
  const double depth = edge - low > 0 ? edge - low : 1.0;

  // strain = ecu + φ·(edge − s·coordinate), as a·x + b·y + c.
  auto state = [&](double phi) {
    double slope = -phi * side.s;
    return side.aboutX ? ProgramSectionSums(fibers, 0, slope, ecu + phi * edge)
                       : ProgramSectionSums(fibers, slope, 0, ecu + phi * edge);
  };
  auto axial = [&](double phi) { return -state(phi).force / 1000; };

  const double most = axial(0);
  if (!(axialLevel < most)) {
    throw Error("轴力水平 " + Kn(axialLevel) + " kN 不小于截面在混凝土极限应变 " +
                ModelNumber(ecu) + " 下的轴压力 " + Kn(most) + " kN，无法进行弯矩-曲率分析");
  }
  double lo = 0, hi = std::fabs(ecu) / depth;
  int doublings = 0;
  while (axial(hi) > axialLevel) {
    lo = hi;
    hi *= 2;
    if (++doublings > 80) {
      throw Error("轴力水平 " + Kn(axialLevel) +
                  " kN 低于截面所能承受的轴拉力，无法进行弯矩-曲率分析");
    }
  }
  for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
    double mid = 0.5 * (lo + hi);
    (axial(mid) > axialLevel ? lo : hi) = mid;
  }
  const double phi = 0.5 * (lo + hi);
  SectionSums sums = state(phi);
  moment = -side.s * (side.aboutX ? sums.momentX : sums.momentY) / 1e6;
  return phi;
}

OpenSeesModelOptions ReadOpenSeesModelOptions(const Form& form) {
  OpenSeesModelOptions o;
  o.language = form.ItemIndex("ComboBox18") == 1 ? OpenSeesLanguage::Python : OpenSeesLanguage::Tcl;
  o.threeD = form.ItemIndex("ComboBox19") != 1;
  switch (form.ItemIndex("ComboBox20")) {
    case 1:
      o.analysis = SectionAnalysisAxis::AboutX;
      break;
    case 2:
      o.analysis = SectionAnalysisAxis::AboutY;
      break;
    default:
      o.analysis = SectionAnalysisAxis::None;
      break;
  }
  const std::string gj = form.Text("Edit90");
  if (gj.find_first_not_of(" \t") != std::string::npos) {
    o.gjTyped = true;
    o.gj = form.Float("Edit90");
    if (!(o.gj > 0) || !std::isfinite(o.gj)) throw Error("GJ 必须是正数（N·mm²），或留空");
  }
  if (o.analysis == SectionAnalysisAxis::None) return o;
  o.axialLevel = form.Float("Edit30");
  o.ecu = form.Float("Edit34");
  if (!(o.ecu < 0) || !std::isfinite(o.ecu)) {
    throw Error("混凝土极限应变必须是负数（受压），才能进行弯矩-曲率分析");
  }
  o.steps = form.Integer("Edit91");
  if (o.steps < 1 || o.steps > 100000) throw Error("曲率分析步数必须在 1 到 100000 之间");
  o.resultFile = form.Text("Edit92");
  auto first = o.resultFile.find_first_not_of(" \t");
  auto last = o.resultFile.find_last_not_of(" \t");
  o.resultFile = first == std::string::npos ? "" : o.resultFile.substr(first, last - first + 1);
  if (!FileNameFitsModel(o.resultFile)) {
    throw Error("结果文件名不能为空，也不能含空格或 \" ' { } [ ] $ \\ ; # 等字符");
  }
  return o;
}

OpenSeesModel BuildOpenSeesModel(const FiberArray& fibers, int sectionType,
                                 const SectionParameters& params, const MaterialTags& tags,
                                 const OpenSeesModelOptions& options) {
  OpenSeesModel model;
  model.warning = FiberLimitWarning(fibers.size());
  const std::vector<ModelMaterial> materials = CollectMaterials(fibers, tags);

  double Ec = 0;
  if (options.threeD) {
    if (options.gjTyped) {
      model.gj = options.gj;
    } else {
      Ec = ConcreteModulus(fibers);
      model.gj = GrossTorsionalStiffness(sectionType, params, Ec);
      model.gjComputed = true;
    }
  }
  if (options.analysis != SectionAnalysisAxis::None) {
    model.ultimateCurvature =
        UltimateCurvature(fibers, options.analysis, options.threeD, options.axialLevel, options.ecu,
                          model.programMoment);
  }

  // A 2D section bends about its local z: its local y is the program's y
  // when the analysis bends about X.
  const bool localYIsProgramY = !options.threeD && options.analysis == SectionAnalysisAxis::AboutX;
  ModelWriter w(options.language);
  WriteHeader(w, fibers, sectionType, options);
  WriteMaterials(w, materials);
  WriteSection(w, fibers, tags, options, localYIsProgramY, model.gj, model.gjComputed, Ec);
  if (options.analysis != SectionAnalysisAxis::None) {
    WriteAnalysis(w, options, model.ultimateCurvature, model.programMoment);
  }
  model.lines = w.Take();
  return model;
}

void SaveOpenSeesText(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  WriteFileAtomic(path, text);
}

}  // namespace kuma
