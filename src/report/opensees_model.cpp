// The complete OpenSEES model of the meshed section, in Tcl or OpenSeesPy.
#include "report/opensees_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "analysis/surface.h"
#include "material/laws.h"
#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// Material groups

struct MaterialGroup {
  const char* name;     // as the material pages call the group
  const char* tagName;  // the variable that holds its tag in the model
  bool concrete;
  // Steel laws that rupture: the variable of the tag of the law's material
  // inside the MinMax wrapper (which holds tagName).
  const char* lawTagName;
};

// Edge concrete, core concrete (1) (and its deductions), core concrete (2),
// bars, structural steel: the order of MaterialTags.
const MaterialGroup kGroups[5] = {{"边缘区混凝土", "edgeConcreteTag", true, nullptr},
                                  {"核心区混凝土(1)", "coreConcrete1Tag", true, nullptr},
                                  {"核心区混凝土(2)", "coreConcrete2Tag", true, nullptr},
                                  {"钢筋", "rebarTag", false, "rebarLawTag"},
                                  {"型钢", "steelShapeTag", false, "steelShapeLawTag"}};

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

// ---------------------------------------------------------------------------
// Laws as OpenSEES materials: one writer per law choice. A writer checks the
// group's constants and returns the uniaxialMaterial (type and values after
// the tag) with a comment; it raises kuma::Error for constants OpenSEES
// cannot hold. A new law is one more writer and one more row of the table.

struct MaterialCommand {
  std::string type;
  std::vector<double> values;
  std::string comment;
  // > 0: the material is wrapped in MinMax at ±rupture (stress zero beyond).
  double rupture = 0;
  bool operator==(const MaterialCommand& o) const {
    return type == o.type && values == o.values && rupture == o.rupture;
  }
};

using LawWriter = MaterialCommand (*)(const FiberRecord& f, const MaterialGroup& g);

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

// Concrete01 needs a crushing strain beyond epsc0; with fpcu = fpc any value
// gives the plateau, so one far beyond every strain a section reaches.
double ConcreteCrushingStrain(double e0) { return -std::max(1.0, 10 * e0); }

// Concrete law 1: the parabola to (e0, fc), then the plateau, no tension.
MaterialCommand ConcreteLaw1(const FiberRecord& f, const MaterialGroup& g) {
  if (!PositiveFinite(f.fc) || !PositiveFinite(f.e0)) {
    throw Error(std::string(g.name) +
                "的 fc 和 e0 必须是正数，才能写成 OpenSEES 的 Concrete01 材料");
  }
  return {"Concrete01",
          {-f.fc, -f.e0, -f.fc, ConcreteCrushingStrain(f.e0)},
          std::string(g.name) + " (fc = " + ModelNumber(f.fc) + ", e0 = " + ModelNumber(f.e0) +
              "): Concrete01, the parabola to e0, then the plateau fc, no tension"};
}

// Steel law 1: elastic–perfectly plastic, kept regular by kSteelHardening.
MaterialCommand SteelLaw1(const FiberRecord& f, const MaterialGroup& g) {
  if (!PositiveFinite(f.Es) || !PositiveFinite(f.fy)) {
    throw Error(std::string(g.name) +
                "的 Es 和 fy 必须是正数，才能写成 OpenSEES 的 Steel01 材料");
  }
  return {"Steel01",
          {f.fy, f.Es, kSteelHardening},
          std::string(g.name) + " (Es = " + ModelNumber(f.Es) + ", fy = " + ModelNumber(f.fy) +
              "): Steel01, elastic-perfectly plastic (b = " + ModelNumber(kSteelHardening) + ")"};
}

std::string Named(const char* what, double value) {
  return std::string(what) + " = " + ModelNumber(value);
}

// Concrete04 (Popovics's curve to (ec, fc), then its descending branch to
// ecu, zero beyond; no tension): fc, ec, ecu negative, Ec positive.
MaterialCommand Concrete04(const MaterialGroup& g, double fc, double ec, double ecu, double Ec,
                           const std::string& comment) {
  if (!PositiveFinite(fc) || !PositiveFinite(ec) || !PositiveFinite(Ec) || !(ecu > ec) ||
      !std::isfinite(ecu) || !(Ec * ec > fc)) {
    throw Error(std::string(g.name) + "的本构参数无法写成 OpenSEES 的 Concrete04 材料");
  }
  return {"Concrete04", {-fc, -ec, -ecu, Ec}, std::string(g.name) + comment};
}

// Concrete law 2 (Appendix C): its rising branch is Popovics's curve with
// n = Ec·εc,r/(Ec·εc,r − fc), which Concrete04 draws from Ec; the modulus is
// recovered from the prepared n.
MaterialCommand ConcreteLaw2(const FiberRecord& f, const MaterialGroup& g) {
  const double peak = f.shape.c[0], n = f.shape.c[2];
  const double Ec = n > 1 ? n * f.fc / ((n - 1) * peak) : 0;
  ConcreteLawParams p;
  p.law = kConcreteAppendixC;
  p.fc = f.fc;
  const double ecu = -ConcreteLawLimits(p).compressive;
  return Concrete04(g, f.fc, peak, ecu, Ec,
                    " (" + Named("fc", f.fc) + ", " + Named("ec,r", peak) + ", " +
                        Named("ecu", ecu) + ", " + Named("Ec", Ec) +
                        "): Concrete04; the rising branch is the law's own, the descending branch "
                        "follows Popovics's curve instead of the alpha_c curve, zero beyond ecu");
}

// Concrete law 3 (Mander): Concrete04 is the same curve, with the confined
// strength and strains; Ec = r·Esec/(r − 1), Esec = f'cc/εcc.
MaterialCommand ConcreteLaw3(const FiberRecord& f, const MaterialGroup& g) {
  const double fcc = f.shape.c[0], ecc = f.shape.c[1], r = f.shape.c[2], ecu = f.shape.c[3];
  const double Ec = r > 1 && ecc > 0 ? r * (fcc / ecc) / (r - 1) : 0;
  return Concrete04(g, fcc, ecc, ecu, Ec,
                    " (" + Named("f'cc", fcc) + ", " + Named("ecc", ecc) + ", " +
                        Named("ecu,c", ecu) + ", " + Named("Ec", Ec) +
                        "): Concrete04, the law's own curve; zero beyond ecu,c, where the "
                        "program's analyses end");
}

// Concrete law 4 (core concrete of a filled tube): Concrete04 through its
// peak (εc0, fc) with the law's initial modulus 2·fc/εc0. Popovics's rising
// branch (n = 2) lies up to 5 % of fc above the law's parabola; the law's
// descending branch (set by β0, nearly flat for a stiff tube) is not
// Popovics's, which falls towards 2·fc·εc0/ε. The law has no crushing
// strain: Concrete04's ecu is set far beyond every strain a section reaches.
MaterialCommand ConcreteLaw4(const FiberRecord& f, const MaterialGroup& g) {
  const double peak = f.shape.c[0];
  const double Ec = peak > 0 ? 2 * f.fc / peak : 0;
  return Concrete04(g, f.fc, peak, -ConcreteCrushingStrain(peak), Ec,
                    " (" + Named("fc", f.fc) + ", " + Named("ec0", peak) + ", " +
                        Named("beta0", f.shape.c[1]) +
                        "): Concrete04 through the law's peak; its descending branch is "
                        "Popovics's, not the beta0 branch of the law");
}

void CheckSteel(const FiberRecord& f, const MaterialGroup& g, const char* type) {
  if (!PositiveFinite(f.Es) || !PositiveFinite(f.fy) || !PositiveFinite(f.shape.c[1]) ||
      !(f.shape.c[1] > f.fy / f.Es)) {
    throw Error(std::string(g.name) + "的 Es、fy 和 εu 必须是正数且 εu 大于屈服应变，才能写成 "
                "OpenSEES 的 " + type + " 材料");
  }
}

// Steel law 2 (bilinear hardening, rupture at εu): Steel01 with the law's
// hardening ratio, the same on loading. Steel01 cannot rupture: MinMax
// around it gives zero stress beyond ±εu (for good, as the program's law
// after a rupture).
MaterialCommand SteelLaw2(const FiberRecord& f, const MaterialGroup& g) {
  CheckSteel(f, g, "Steel01");
  const double b = f.shape.c[0], eu = f.shape.c[1];
  if (!(b > 0 && b < 1)) {
    throw Error(std::string(g.name) + "的强化系数 b 必须在 0 与 1 之间，才能写成 OpenSEES 的 "
                "Steel01 材料");
  }
  MaterialCommand c{"Steel01", {f.fy, f.Es, b},
                    std::string(g.name) + " (Es = " + ModelNumber(f.Es) + ", fy = " +
                        ModelNumber(f.fy) + ", b = " + ModelNumber(b) + ", eu = " +
                        ModelNumber(eu) +
                        "): Steel01 with the law's hardening; MinMax at +-eu for the rupture"};
  c.rupture = eu;
  return c;
}

// Steel law 3 (three branches): Hysteretic through (fy, εy), (fy, εuy),
// (fst, εu) both ways, no pinching or damage. Hysteretic goes on hardening
// beyond its last point: MinMax at ±εu for the rupture. Unloading follows
// Hysteretic's own rule (the program's law is monotonic).
MaterialCommand SteelLaw3(const FiberRecord& f, const MaterialGroup& g) {
  CheckSteel(f, g, "Hysteretic");
  const double ey = f.fy / f.Es, euy = f.shape.c[0], eu = f.shape.c[1], fst = f.shape.c[2];
  if (!(euy > ey && euy < eu) || !(fst >= f.fy) || !std::isfinite(fst)) {
    throw Error(std::string(g.name) + "的三折线参数（εuy、fst）无法写成 OpenSEES 的 Hysteretic 材料");
  }
  MaterialCommand c{"Hysteretic",
                    {f.fy, ey, f.fy, euy, fst, eu, -f.fy, -ey, -f.fy, -euy, -fst, -eu, 1, 1, 0, 0},
                    std::string(g.name) + " (Es = " + ModelNumber(f.Es) + ", fy = " +
                        ModelNumber(f.fy) + ", euy = " + ModelNumber(euy) + ", fst = " +
                        ModelNumber(fst) + ", eu = " + ModelNumber(eu) +
                        "): Hysteretic through the law's three branches; MinMax at +-eu for "
                        "the rupture"};
  c.rupture = eu;
  return c;
}

struct LawMapping {
  bool concrete;
  std::int32_t lawCode;  // FiberRecord::concreteLawCode or steelLawCode
  LawWriter write;
};

const LawMapping kLawMappings[] = {
    {true, kConcreteSimplified, ConcreteLaw1}, {true, kConcreteAppendixC, ConcreteLaw2},
    {true, kConcreteMander, ConcreteLaw3},     {true, kConcreteFilledTube, ConcreteLaw4},
    {false, kSteelSimplified, SteelLaw1},      {false, kSteelBilinear, SteelLaw2},
    {false, kSteelTrilinear, SteelLaw3},
};

MaterialCommand MaterialOf(const FiberRecord& f, const MaterialGroup& g) {
  const std::int32_t code = g.concrete ? f.concreteLawCode : f.steelLawCode;
  for (const LawMapping& m : kLawMappings) {
    if (m.concrete == g.concrete && m.lawCode == code) return m.write(f, g);
  }
  throw Error(std::string(g.name) + "的本构关系（代码 " + FormatInt(code) +
              "）在 OpenSEES 模型中还没有对应的材料");
}

// One uniaxialMaterial of the model, or a group that shares the tag (and
// the material) of an earlier one.
struct ModelMaterial {
  int group = 0;
  int tag = 0;
  int sharesWith = -1;  // the group whose material this is, or -1
  MaterialCommand command;
};

// The groups the section uses, in group order. Two groups may share a tag
// only when their materials are the same; the second then refers to the
// first one's tag variable.
std::vector<ModelMaterial> CollectMaterials(const FiberArray& fibers, const MaterialTags& tags) {
  std::optional<ModelMaterial> byGroup[5];
  for (const FiberRecord& f : fibers) {
    int group = GroupOf(f.material);
    if (group < 0 || byGroup[group]) continue;
    const MaterialGroup& g = kGroups[group];
    ModelMaterial m;
    m.group = group;
    m.tag = tags[static_cast<std::size_t>(group)];
    if (m.tag < 1) {
      throw Error(std::string("OpenSEES 材料编号必须是正整数：") + g.name + "的编号为 " +
                  FormatInt(m.tag));
    }
    m.command = MaterialOf(f, g);
    byGroup[group] = m;
  }
  std::vector<ModelMaterial> materials;
  for (const auto& candidate : byGroup) {
    if (!candidate) continue;
    ModelMaterial m = *candidate;
    for (const ModelMaterial& earlier : materials) {
      if (earlier.tag != m.tag || earlier.sharesWith >= 0) continue;
      if (!(earlier.command == m.command)) {
        throw Error(std::string(kGroups[earlier.group].name) + "与" + kGroups[m.group].name +
                    "使用同一个 OpenSEES 编号 " + FormatInt(m.tag) + "，但材料参数不同");
      }
      m.sharesWith = earlier.group;
    }
    materials.push_back(m);
  }
  return materials;
}

// ---------------------------------------------------------------------------
// Writing Tcl or Python

// One argument of a command: a number, a word (quoted in Python) or a
// variable ($name in Tcl).
struct Arg {
  enum Kind { Number, Word, Variable } kind = Number;
  std::string text;
};

Arg Word(const std::string& text) { return {Arg::Word, text}; }
Arg Var(const std::string& name) { return {Arg::Variable, name}; }
Arg Num(double value) { return {Arg::Number, ModelNumber(value)}; }
Arg Int(long long value) { return {Arg::Number, FormatInt(value)}; }

class ModelWriter {
 public:
  explicit ModelWriter(OpenSeesLanguage language) : python_(language == OpenSeesLanguage::Python) {}

  bool Python() const { return python_; }
  void Line(const std::string& text) { lines_.push_back(indent_ + text); }
  void Blank() { lines_.emplace_back(); }
  void Comment(const std::string& text) { Line("# " + text); }

  std::string Text(const Arg& a) const {
    switch (a.kind) {
      case Arg::Word:
        return python_ ? "'" + a.text + "'" : a.text;
      case Arg::Variable:
        return python_ ? a.text : "$" + a.text;
      default:
        return a.text;
    }
  }

  // `set name value` or `name = value`.
  void Set(const std::string& name, const Arg& value) {
    Line(python_ ? name + " = " + Text(value) : "set " + name + " " + Text(value));
  }

  // `name a b c` or `ops.name(a, b, c)`.
  void Call(const std::string& name, const std::vector<Arg>& args) {
    std::string text = python_ ? "ops." + name + "(" : name;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (python_ && i > 0) text += ", ";
      text += (python_ ? "" : " ") + Text(args[i]);
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
    for (const Arg& a : args) text += " " + Text(a);
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

// The tags the analysis adds to the model.
const char* const kAnalysisTags[][2] = {{"baseNode", "1"},    {"pushNode", "2"},
                                        {"elementTag", "1"},  {"axialSeries", "1"},
                                        {"axialPattern", "1"}, {"pushSeries", "2"},
                                        {"pushPattern", "2"}};

// Comment lines may hold Chinese text; each ends with an ASCII character, so
// that a reader decoding the file in a double-byte code page cannot swallow
// the line end into the comment and lose the next command.
void WriteHeader(ModelWriter& w, const FiberArray& fibers, int sectionType,
                 const OpenSeesModelOptions& options, const std::vector<ModelMaterial>& materials) {
  const bool analysis = options.analysis != SectionAnalysisAxis::None;
  if (w.Python()) w.Line("# -*- coding: utf-8 -*-");
  w.Comment("KumaSec v1.3: OpenSEES model of the fiber section");
  w.Comment("Date: " + options.date);
  w.Comment("Section kind: " + FormatInt(sectionType) + " (" + KindName(sectionType) + ")");
  w.Comment("Units: N, mm; stresses N/mm2, moments N*mm");
  w.Comment("Fibers: " + FormatInt(static_cast<long long>(fibers.size())));
  if (fibers.size() > kOpenSeesFiberLimit) {
    w.Comment("WARNING: OpenSEES 3.8 refuses a fiber section of more than " +
              FormatInt(static_cast<long long>(kOpenSeesFiberLimit)) + " fibers; this one has " +
              FormatInt(static_cast<long long>(fibers.size())) + ".");
  }
  w.Blank();
  if (w.Python()) {
    w.Line("import openseespy.opensees as ops");
    if (analysis) {
      w.Line("import os");
      w.Line("import sys");
    }
    w.Blank();
  }
  w.Comment("Tags of the section, its materials" + std::string(analysis ? " and the analysis" : "") +
            ": change them here to add this");
  w.Comment(std::string("model to an existing one") +
            (options.wipe ? " (and leave out the wipe below)." : "."));
  w.Set("sectionTag", Int(1));
  for (const ModelMaterial& m : materials) {
    if (m.sharesWith >= 0) {
      w.Set(kGroups[m.group].tagName, Var(kGroups[m.sharesWith].tagName));
    } else {
      w.Set(kGroups[m.group].tagName, Int(m.tag));
    }
  }
  // The laws inside MinMax wrappers: tags after the groups' own.
  int nextTag = 0;
  for (const ModelMaterial& m : materials) nextTag = std::max(nextTag, m.tag);
  for (const ModelMaterial& m : materials) {
    if (m.sharesWith < 0 && m.command.rupture > 0)
      w.Set(kGroups[m.group].lawTagName, Int(++nextTag));
  }
  if (analysis) {
    for (const auto& tag : kAnalysisTags) w.Set(tag[0], Arg{Arg::Number, tag[1]});
  }
  w.Blank();
  if (options.wipe) w.Call("wipe", {});
  if (options.threeD) {
    w.Call("model", {Word("basic"), Word("-ndm"), Int(3), Word("-ndf"), Int(6)});
  } else {
    w.Call("model", {Word("basic"), Word("-ndm"), Int(2), Word("-ndf"), Int(3)});
  }
  w.Blank();
}

void WriteMaterials(ModelWriter& w, const std::vector<ModelMaterial>& materials) {
  w.Comment("Materials: the program's laws on loading; on unloading OpenSEES follows");
  w.Comment("each material's own hysteresis.");
  for (const ModelMaterial& m : materials) {
    if (m.sharesWith >= 0) continue;
    const MaterialGroup& g = kGroups[m.group];
    const bool wrapped = m.command.rupture > 0;
    w.Comment(m.command.comment);
    std::vector<Arg> args = {Word(m.command.type), Var(wrapped ? g.lawTagName : g.tagName)};
    for (double v : m.command.values) args.push_back(Num(v));
    w.Call("uniaxialMaterial", args);
    if (wrapped) {
      w.Call("uniaxialMaterial", {Word("MinMax"), Var(g.tagName), Var(g.lawTagName), Word("-min"),
                                  Num(-m.command.rupture), Word("-max"), Num(m.command.rupture)});
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

// Es of the structural steel, 0 when the section has none.
double SteelShapeModulus(const FiberArray& fibers) {
  for (const FiberRecord& f : fibers) {
    if (f.material == SteelShape) return f.Es;
  }
  return 0;
}

bool HasSteelTube(int sectionType) { return sectionType == CircleCfst || sectionType == RectCfst; }

// Which face a positive rotation compresses, by dimension.
void WriteAxesComment(ModelWriter& w, const OpenSeesModelOptions& options, bool localYIsProgramY) {
  w.Comment(localYIsProgramY ? "fiber yLoc zLoc A matTag: yLoc = the program's y, zLoc = its x"
                             : "fiber yLoc zLoc A matTag: yLoc = the program's x, zLoc = its y");
  if (options.threeD) {
    w.Comment("Faces: a positive rotation about global Y (bending about the program's X)");
    w.Comment("compresses the program's -y face; one about global Z (bending about its Y)");
    w.Comment("compresses the +x face.");
  } else {
    w.Comment(std::string("Faces: a positive rotation compresses the face of positive local y, the ") +
              (localYIsProgramY ? "program's +y face." : "program's +x face."));
  }
  w.Comment("The section keeps the program's origin (-noCentroid). A deduction fiber is");
  w.Comment("core concrete (1) of negative area: it cancels the concrete placed under it.");
}

void WriteSection(ModelWriter& w, const FiberArray& fibers, const OpenSeesModelOptions& options,
                  bool localYIsProgramY, const OpenSeesModel& model, int sectionType, double Ec) {
  if (options.threeD) {
    if (model.gjComputed) {
      w.Comment("GJ of the gross section: G*J, G = Ec/(2*(1 + 0.2)) with Ec = 2*fc/e0 = " +
                ModelNumber(Ec) + " N/mm2");
      w.Comment("of the first concrete group (core concrete 1 when present); J of the outline" +
                std::string(HasSteelTube(sectionType) ? "," : ""));
      if (HasSteelTube(sectionType)) {
        w.Comment("the steel tube with G = Es/(2*(1 + 0.3)) and J of the tube, the infill with");
        w.Comment("J of the concrete inside it");
      }
    } else {
      w.Comment("GJ as given on the OpenSEES page");
    }
  }
  WriteAxesComment(w, options, localYIsProgramY);
  std::vector<Arg> args = {Word("Fiber"), Var("sectionTag")};
  if (options.threeD) {
    args.push_back(Word("-GJ"));
    args.push_back(Arg{Arg::Number, FormatG17(model.gj)});
  }
  args.push_back(Word("-noCentroid"));
  w.OpenBlock("section", args);
  for (const FiberRecord& f : fibers) {
    int group = GroupOf(f.material);
    if (group < 0) continue;  // no mesher makes other codes
    double area = f.material == CoreConcrete1Deduction ? -f.area : f.area;
    double yLoc = localYIsProgramY ? f.y : f.x;
    double zLoc = localYIsProgramY ? f.x : f.y;
    w.Call("fiber", {Num(yLoc), Num(zLoc), Num(area), Var(kGroups[group].tagName)});
  }
  w.CloseBlock();
}

// ---------------------------------------------------------------------------
// Moment–curvature push

// The curvature about the chosen axis is the rotation DOF of the push node:
// 5 (about global Y, the section's local y: the program's X axis) or 6 in
// 3D, 3 in 2D. The axial force is DOF 1.
int CurvatureDof(const OpenSeesModelOptions& o) {
  if (!o.threeD) return 3;
  return o.analysis == SectionAnalysisAxis::AboutX ? 5 : 6;
}

// The sense of rotation that compresses the program's face (+y about X, -x
// about Y): only the 2D model bending about X compresses it turning the
// positive way (see WriteAxesComment).
double PushSign(const OpenSeesModelOptions& o) {
  return !o.threeD && o.analysis == SectionAnalysisAxis::AboutX ? 1.0 : -1.0;
}

std::vector<Arg> NodeVector(const OpenSeesModelOptions& o, const Arg& axial, const Arg& rotation) {
  const int dofs = o.threeD ? 6 : 3;
  std::vector<Arg> args = {Var("pushNode")};
  for (int dof = 1; dof <= dofs; ++dof) {
    args.push_back(dof == 1 ? axial : (dof == CurvatureDof(o) ? rotation : Num(0.0)));
  }
  return args;
}

void WriteNodes(ModelWriter& w, const OpenSeesModelOptions& o) {
  const int dofs = o.threeD ? 6 : 3;
  std::vector<Arg> fixed = {Var("baseNode")}, free = {Var("pushNode")};
  for (int dof = 1; dof <= dofs; ++dof) {
    fixed.push_back(Int(1));
    free.push_back(Int(dof == 1 || dof == CurvatureDof(o) ? 0 : 1));
  }
  for (const char* node : {"baseNode", "pushNode"}) {
    std::vector<Arg> origin = {Var(node)};
    for (int i = 0; i < (o.threeD ? 3 : 2); ++i) origin.push_back(Num(0.0));
    w.Call("node", origin);
  }
  w.Call("fix", fixed);
  w.Call("fix", free);
  w.Call("element", {Word("zeroLengthSection"), Var("elementTag"), Var("baseNode"),
                     Var("pushNode"), Var("sectionTag")});
}

void WriteSolution(ModelWriter& w, const char* constraints) {
  w.Call("system", {Word("BandGeneral")});
  w.Call("numberer", {Word("Plain")});
  w.Call("constraints", {Word(constraints)});
  w.Call("test", {Word("NormDispIncr"), Num(1e-12), Int(50)});
  w.Call("algorithm", {Word("Newton")});
}

std::string FaceName(const OpenSeesModelOptions& o) {
  return o.analysis == SectionAnalysisAxis::AboutX ? "+y" : "-x";
}

void WriteAnalysisComment(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  const bool aboutX = o.analysis == SectionAnalysisAxis::AboutX;
  const std::string axis = aboutX ? "X" : "Y";
  const PushState& s = m.target;
  w.Blank();
  w.Comment("Moment-curvature analysis about the program's " + axis +
            " axis: a zero-length section element.");
  if (o.target == PushTarget::CapacityState) {
    w.Comment("Target: the program's capacity state at the axial level " +
              FormatFixed(o.axialLevel, 3) + " kN, as the PM and MM");
    w.Comment("solvers find it: the curvature at which the first corner of the bounding");
    w.Comment("rectangle reaches its limit (ecu = " + ModelNumber(o.ecu) +
              " compressed, 0.01 stretched).");
    w.Comment("The state: P = " + FormatFixed(s.P, 3) + " kN, curvature " +
              ModelNumber(s.curvature) + " 1/mm, axial strain " + ModelNumber(s.axialStrain) +
              ";");
    w.Comment("the program's moment there " + FormatFixed(s.M, 3) + " kN*m (the MM curve at " +
              (aboutX ? "0" : "90") + " degrees: " + FormatFixed(m.mmMoment, 3) + " kN*m).");
    if (!m.levelNote.empty()) {
      w.Comment("The search's narrowing misses this level, as it misses PM targets close to");
      w.Comment("the squash load: the state above is the program's own, and the push holds");
      w.Comment("its axial force.");
    }
  } else {
    w.Comment("Target: the compressed concrete edge reaches ecu = " + ModelNumber(o.ecu) +
              " under the axial level " + FormatFixed(o.axialLevel, 3) + " kN;");
    w.Comment("this is not the program's capacity state (which also caps the stretched");
    w.Comment("corner at 0.01). Curvature " + ModelNumber(s.curvature) + " 1/mm, axial strain " +
              ModelNumber(s.axialStrain) + "; the program's moment there " +
              FormatFixed(s.M, 3) + " kN*m.");
  }
  w.Comment("The push compresses the program's " + FaceName(o) + " face, as its PM and MM states " +
            (aboutX ? "at 0 degrees" : "at 90 degrees") + " do.");
  if (o.path == PushPath::ConstantAxial) {
    w.Comment("Path: the axial force is held while the curvature grows. Fibers that were");
    w.Comment("compressed by the axial step and are then stretched unload along Concrete01's");
    w.Comment("and Steel01's hysteresis, while the program's sums (one plane strain, no");
    w.Comment("history) stay on the loading curves. Expect the moment at the target within");
    w.Comment("about 0.2 % of the program's at moderate axial force, and up to about 5 % (RC)");
    w.Comment("to 9 % (concrete-filled tube) above it within a few per cent of the squash load.");
    w.Comment("The proportional push of the OpenSEES page reproduces the program's moment.");
  } else {
    w.Comment("Path: proportional. The axial strain and the curvature are imposed together,");
    w.Comment("raised from zero in proportion, so every fiber's strain grows one way and none");
    w.Comment("unloads: the last line holds the program's P and M of the state above.");
  }
  w.Comment("A step that does not converge is retried with the initial tangent, then in");
  w.Comment("halves (down to 1/1024 of a step); if it still fails the script stops with exit");
  w.Comment("status 1 and a message on standard error.");
  w.Comment(o.resultFile + ": one line per converged step, four numbers with 17 digits:");
  w.Comment("P (kN, compression positive), M (kN*m, about the program's " + axis +
            " axis, positive as pushed),");
  w.Comment("the axial strain at the program's origin, the curvature (1/mm, positive as pushed).");
  w.Comment(o.path == PushPath::ConstantAxial
                ? "The first line is the state after the axial step, before any curvature."
                : "The first line is the unloaded section, before the first step.");
}

// The axial force the constant-axial push holds: that of the capacity state
// (see LevelMissedNote), or the level itself for the crushing state.
double HeldAxialForce(const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  return o.target == PushTarget::CapacityState ? m.target.P : o.axialLevel;
}

void WriteAnalysisValues(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  if (o.path == PushPath::ConstantAxial) w.Set("axialForce", Num(-HeldAxialForce(o, m) * 1000));
  if (o.path == PushPath::Proportional) w.Set("targetAxialStrain", Num(m.target.axialStrain));
  w.Set("targetCurvature", Num(m.target.curvature));
  w.Set("steps", Int(o.steps));
  w.Set("resultFile", w.Python() ? Word(o.resultFile) : Arg{Arg::Number, o.resultFile});
  w.Set("curvatureDof", Int(CurvatureDof(o)));
  w.Set("pushSign", Num(PushSign(o)));
}

// The loading up to the start of the push, and the two helpers the push
// loop calls: the fraction of the target reached, and the next increment.
void WriteLoading(ModelWriter& w, const OpenSeesModelOptions& o) {
  if (o.path == PushPath::ConstantAxial) {
    w.Call("timeSeries", {Word("Constant"), Var("axialSeries")});
    w.OpenBlock("pattern", {Word("Plain"), Var("axialPattern"), Var("axialSeries")});
    w.Call("load", NodeVector(o, Var("axialForce"), Num(0.0)));
    w.CloseBlock();
    WriteSolution(w, "Plain");
    w.Call("integrator", {Word("LoadControl"), Num(0.0)});
    w.Call("analysis", {Word("Static")});
    w.Line(w.Python() ? "ok = ops.analyze(1)" : "set ok [analyze 1]");
    w.Call("loadConst", {Word("-time"), Num(0.0)});
    w.Call("timeSeries", {Word("Linear"), Var("pushSeries")});
    w.OpenBlock("pattern", {Word("Plain"), Var("pushPattern"), Var("pushSeries")});
    w.Call("load", NodeVector(o, Num(0.0), Var("pushSign")));
    w.CloseBlock();
    if (w.Python()) {
      w.Blank();
      w.Line("def pushed_fraction():");
      w.Line("    return pushSign * ops.nodeDisp(pushNode, curvatureDof) / targetCurvature");
      w.Blank();
      w.Line("def push_by(fraction):");
      w.Line("    ops.integrator('DisplacementControl', pushNode, curvatureDof,");
      w.Line("                   pushSign * targetCurvature * fraction)");
    } else {
      w.Line("proc pushedFraction {} {");
      w.Line("    expr {$::pushSign * [nodeDisp $::pushNode $::curvatureDof] / $::targetCurvature}");
      w.Line("}");
      w.Line("proc pushBy {fraction} {");
      w.Line("    integrator DisplacementControl $::pushNode $::curvatureDof \\");
      w.Line("        [expr {$::pushSign * $::targetCurvature * $fraction}]");
      w.Line("}");
    }
    return;
  }
  // Imposed axial strain and curvature need a handler that enforces
  // non-zero single-point constraints: Plain would take them as zero.
  w.Call("timeSeries", {Word("Linear"), Var("pushSeries")});
  w.OpenBlock("pattern", {Word("Plain"), Var("pushPattern"), Var("pushSeries")});
  w.Call("sp", {Var("pushNode"), Int(1), Var("targetAxialStrain")});
  if (w.Python()) {
    w.Call("sp", {Var("pushNode"), Var("curvatureDof"), Var("pushSign * targetCurvature")});
  } else {
    w.Call("sp", {Var("pushNode"), Var("curvatureDof"),
                  Arg{Arg::Number, "[expr {$pushSign * $targetCurvature}]"}});
  }
  w.CloseBlock();
  WriteSolution(w, "Transformation");
  w.Call("integrator", {Word("LoadControl"), Num(0.0)});
  w.Call("analysis", {Word("Static")});
  w.Line(w.Python() ? "ok = 0" : "set ok 0");
  if (w.Python()) {
    w.Blank();
    w.Line("def pushed_fraction():");
    w.Line("    return ops.getTime()");
    w.Blank();
    w.Line("def push_by(fraction):");
    w.Line("    ops.integrator('LoadControl', fraction)");
  } else {
    w.Line("proc pushedFraction {} { getTime }");
    w.Line("proc pushBy {fraction} { integrator LoadControl $fraction }");
  }
}

const char* const kTclPushLoop[] = {
    "proc writeState {channel} {",
    "    set force [eleResponse $::elementTag force]",
    "    set n [expr {[llength $force] / 2}]",
    "    puts $channel [format \"%.17g %.17g %.17g %.17g\" \\",
    "        [expr {-[lindex $force $n] / 1000.0}] \\",
    "        [expr {$::pushSign * [lindex $force [expr {$n + $::curvatureDof - 1}]] / 1e6}] \\",
    "        [nodeDisp $::pushNode 1] \\",
    "        [expr {$::pushSign * [nodeDisp $::pushNode $::curvatureDof]}]]",
    "}",
    "file mkdir [file dirname $resultFile]",
    "set results [open $resultFile w]",
    "writeState $results",
    "set step 0",
    "while {$ok == 0 && $step < $steps} {",
    "    incr step",
    "    set goal [expr {double($step) / $steps}]",
    "    set part [expr {1.0 / $steps}]",
    "    set tries 0",
    "    while {$ok == 0 && [pushedFraction] < $goal - 1e-9 / $steps} {",
    "        pushBy [expr {min($part, $goal - [pushedFraction])}]",
    "        set ok [analyze 1]",
    "        if {$ok != 0} {",
    "            algorithm ModifiedNewton -initial",
    "            set ok [analyze 1]",
    "            algorithm Newton",
    "        }",
    "        if {$ok != 0 && $part > 1.0 / $steps / 1024} {",
    "            set part [expr {$part / 2}]",
    "            set ok 0",
    "        }",
    "        if {[incr tries] > 4096} { set ok -1 }",
    "    }",
    "    if {$ok == 0} { writeState $results }",
    "}",
    "close $results",
    "if {$ok != 0} {",
    "    puts stderr \"Moment-curvature analysis stopped at step $step of $steps\"",
    "    exit 1",
    "}",
    "puts \"Moment-curvature analysis done: $steps steps\"",
};

const char* const kPythonPushLoop[] = {
    "def write_state(out):",
    "    force = ops.eleResponse(elementTag, 'force')",
    "    n = len(force) // 2",
    "    out.write('%.17g %.17g %.17g %.17g\\n' % (",
    "        -force[n] / 1000.0, pushSign * force[n + curvatureDof - 1] / 1e6,",
    "        ops.nodeDisp(pushNode, 1), pushSign * ops.nodeDisp(pushNode, curvatureDof)))",
    "",
    "",
    "if os.path.dirname(resultFile):",
    "    os.makedirs(os.path.dirname(resultFile), exist_ok=True)",
    "results = open(resultFile, 'w')",
    "write_state(results)",
    "step = 0",
    "while ok == 0 and step < steps:",
    "    step += 1",
    "    goal = step / steps",
    "    part = 1.0 / steps",
    "    tries = 0",
    "    while ok == 0 and pushed_fraction() < goal - 1e-9 / steps:",
    "        push_by(min(part, goal - pushed_fraction()))",
    "        ok = ops.analyze(1)",
    "        if ok != 0:",
    "            ops.algorithm('ModifiedNewton', '-initial')",
    "            ok = ops.analyze(1)",
    "            ops.algorithm('Newton')",
    "        if ok != 0 and part > 1.0 / steps / 1024:",
    "            part /= 2",
    "            ok = 0",
    "        tries += 1",
    "        if tries > 4096:",
    "            ok = -1",
    "    if ok == 0:",
    "        write_state(results)",
    "results.close()",
    "if ok != 0:",
    "    print('Moment-curvature analysis stopped at step %d of %d' % (step, steps),",
    "          file=sys.stderr)",
    "    sys.exit(1)",
    "print('Moment-curvature analysis done: %d steps' % steps)",
};

void WriteAnalysis(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  WriteAnalysisComment(w, o, m);
  WriteAnalysisValues(w, o, m);
  WriteNodes(w, o);
  WriteLoading(w, o);
  if (w.Python()) {
    w.Blank();
    w.Blank();
    for (const char* line : kPythonPushLoop) line[0] ? w.Line(line) : w.Blank();
  } else {
    for (const char* line : kTclPushLoop) w.Line(line);
  }
}

// ---------------------------------------------------------------------------
// Push states

bool AboutX(SectionAnalysisAxis axis) { return axis == SectionAnalysisAxis::AboutX; }

// The coordinate that grows towards the compressed face.
double TowardsCompression(SectionAnalysisAxis axis, double x, double y) {
  return AboutX(axis) ? y : -x;
}

// The program's moment of a sum about the axis, kN·m, positive as pushed:
// -Σσ·A·t with t = TowardsCompression.
double PushedMoment(SectionAnalysisAxis axis, double momentX, double momentY) {
  return (AboutX(axis) ? -momentX : momentY) / 1e6;
}

std::string Kn(double value) { return FormatFixed(value, 1); }

bool FileNameFitsModel(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 0x21 || c == 0x7F) return false;  // blanks and control characters
    if (std::string("\"'{}[]$\\;#").find(static_cast<char>(c)) != std::string::npos) return false;
  }
  return true;
}

// A note when the capacity state's axial force misses the level by more
// than 0.1 % of the section's axial range, else empty.
std::string LevelMissedNote(const FiberArray& fibers, const OpenSeesModelOptions& o, double P) {
  double compressionEnd = 0, tensionEnd = 0;
  AxialEnds(fibers, o.ecu, compressionEnd, tensionEnd);
  if (std::fabs(P - o.axialLevel) <= 1e-3 * (compressionEnd - tensionEnd)) return {};
  return "注意：程序的搜索在轴力水平 " + Kn(o.axialLevel) + " kN 处停在 P = " + Kn(P) +
         " kN（接近轴压承载力时缩窄规则会偏离目标，PM曲线亦然），轴力不变的推覆保持该状态的轴力";
}

// The MM curve's moment at `level` at 0 (about X) or 90 degrees (about Y),
// positive as pushed: a contour of four divisions has both as points.
double MmCurveMoment(const FiberArray& fibers, double B, double H, SectionAnalysisAxis axis,
                     double level, const PmSettings& search) {
  MmSettings s;
  s.m = 4;
  s.axialLevel = level;
  s.ecu = search.ecu;
  s.K = search.K;
  s.N = search.N;
  s.lambda = search.lambda;
  FiberArray scratch = fibers;
  MmCurve curve;
  SolveMmCurve(s, B, H, scratch, curve);
  return AboutX(axis) ? -curve.Mx[0] : curve.My[1];
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

double GrossTorsionalStiffness(int sectionType, const SectionParameters& params, double Ec,
                               double Es) {
  const double Gc = Ec / (2 * (1 + 0.2)), Gs = Es / (2 * (1 + 0.3));
  // Saint-Venant's J of a solid rectangle.
  auto rectangle = [](double B, double H) {
    double a = std::max(std::fabs(B), std::fabs(H)), b = std::min(std::fabs(B), std::fabs(H));
    return a > 0 ? a * b * b * b * (1.0 / 3 - 0.21 * (b / a) * (1 - std::pow(b / a, 4) / 12)) : 0;
  };
  double gj = 0;
  if (sectionType == CircleCfst) {
    const double D = params.H, d = params.H - 2 * params.tw;
    gj = Gc * kPi * std::pow(d, 4) / 32 + Gs * kPi * (std::pow(D, 4) - std::pow(d, 4)) / 32;
  } else if (sectionType == RectCfst) {
    const double tx = params.tw, ty = params.twX;
    const double bm = params.B - tx, hm = params.H - ty;  // the walls' mid-line
    const double tube = 4 * bm * bm * hm * hm / (2 * bm / ty + 2 * hm / tx);
    gj = Gc * rectangle(params.B - 2 * tx, params.H - 2 * ty) + Gs * tube;
  } else if (sectionType == CircleRc || sectionType == CircleSteelRc) {
    gj = Gc * kPi * std::pow(params.H, 4) / 32;
  } else {
    gj = Gc * rectangle(params.B, params.H);
  }
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
      ConcreteFiberLaw(f.fc, f.e0, f.shape, strain, f.concreteLawCode, stress);
      if (f.material == CoreConcrete1Deduction) stress = -stress;
    } else if (IsSteel(f.material)) {
      SteelFiberLaw(f.Es, f.fy, f.shape, strain, f.steelLawCode, stress);
    }
    double force = stress * f.area;
    sums.force += force;
    sums.momentX += force * f.y;
    sums.momentY += force * f.x;
  }
  return sums;
}

PushState CapacityPushState(const FiberArray& fibers, double B, double H,
                            SectionAnalysisAxis axis, double axialLevel,
                            const PmSettings& settings) {
  double compressionEnd = 0, tensionEnd = 0;
  AxialEnds(fibers, settings.ecu, compressionEnd, tensionEnd);
  if (!(axialLevel < compressionEnd && axialLevel > tensionEnd)) {
    throw Error("轴力水平 " + Kn(axialLevel) + " kN 不在截面的轴力范围 " + Kn(tensionEnd) +
                " ~ " + Kn(compressionEnd) + " kN 之内，无法进行弯矩-曲率分析");
  }
  const CapacityState s = SolveCapacityState(AboutX(axis) ? 0.0 : 90.0, axialLevel, settings, B,
                                             H, fibers);
  PushState state;
  state.axialStrain = s.c;
  state.curvature = AboutX(axis) ? -s.b : s.a;
  state.P = s.P;
  state.M = PushedMoment(axis, s.Mx * 1e6, s.My * 1e6);
  return state;
}

PushState CrushingPushState(const FiberArray& fibers, SectionAnalysisAxis axis,
                            double axialLevel, double ecu) {
  // The compressed concrete edge: the outermost corner of a concrete fiber.
  double edge = -HUGE_VAL, low = HUGE_VAL;
  for (const FiberRecord& f : fibers) {
    const double xs[4] = {f.x1, f.x2, f.x3, f.x4}, ys[4] = {f.y1, f.y2, f.y3, f.y4};
    for (int k = 0; k < 4; ++k) {
      if (IsConcrete(f.material)) edge = std::max(edge, TowardsCompression(axis, xs[k], ys[k]));
    }
    low = std::min(low, TowardsCompression(axis, f.x, f.y));
  }
  if (edge == -HUGE_VAL) throw Error("截面没有混凝土纤维，无法按混凝土极限应变进行弯矩-曲率分析");
  const double depth = edge - low > 0 ? edge - low : 1.0;

  // strain = ecu + φ·(edge − t), as a·x + b·y + c.
  auto sums = [&](double phi) {
    double c = ecu + phi * edge;
    return AboutX(axis) ? ProgramSectionSums(fibers, 0, -phi, c)
                        : ProgramSectionSums(fibers, phi, 0, c);
  };
  auto axial = [&](double phi) { return -sums(phi).force / 1000; };

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
  PushState state;
  state.curvature = 0.5 * (lo + hi);
  state.axialStrain = ecu + state.curvature * edge;
  SectionSums at = sums(state.curvature);
  state.P = -at.force / 1000;
  state.M = PushedMoment(axis, at.momentX, at.momentY);
  return state;
}

OpenSeesModelOptions ReadOpenSeesModelOptions(const Form& form) {
  OpenSeesModelOptions o;
  o.language = form.ItemIndex("ComboBox18") == 1 ? OpenSeesLanguage::Python : OpenSeesLanguage::Tcl;
  o.threeD = form.ItemIndex("ComboBox19") != 1;
  o.wipe = form.ItemIndex("ComboBox46") != 1;
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
  o.target = form.ItemIndex("ComboBox44") == 1 ? PushTarget::ConcreteCrushing
                                               : PushTarget::CapacityState;
  o.path = form.ItemIndex("ComboBox45") == 1 ? PushPath::Proportional : PushPath::ConstantAxial;
  o.axialLevel = form.Float("Edit30");
  o.ecu = form.Float("Edit34");
  if (!(o.ecu < 0) || !std::isfinite(o.ecu)) {
    throw Error("混凝土极限应变必须是负数（受压），才能进行弯矩-曲率分析");
  }
  o.K = form.Integer("Edit61");
  o.N = form.Integer("Edit62");
  o.lambda = form.Float("Edit63");
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
      model.gj = GrossTorsionalStiffness(sectionType, params, Ec, SteelShapeModulus(fibers));
      model.gjComputed = true;
    }
  }
  if (options.analysis != SectionAnalysisAxis::None) {
    if (options.target == PushTarget::CapacityState) {
      PmSettings search;
      search.ecu = options.ecu;
      search.K = options.K;
      search.N = options.N;
      search.lambda = options.lambda;
      model.target = CapacityPushState(fibers, params.B, params.H, options.analysis,
                                       options.axialLevel, search);
      model.mmMoment = MmCurveMoment(fibers, params.B, params.H, options.analysis,
                                     options.axialLevel, search);
      model.levelNote = LevelMissedNote(fibers, options, model.target.P);
    } else {
      model.target = CrushingPushState(fibers, options.analysis, options.axialLevel, options.ecu);
    }
  }

  // A 2D section bends about its local z: its local y is the program's y
  // when the analysis bends about X.
  const bool localYIsProgramY = !options.threeD && options.analysis == SectionAnalysisAxis::AboutX;
  ModelWriter w(options.language);
  WriteHeader(w, fibers, sectionType, options, materials);
  WriteMaterials(w, materials);
  WriteSection(w, fibers, options, localYIsProgramY, model, sectionType, Ec);
  if (options.analysis != SectionAnalysisAxis::None) WriteAnalysis(w, options, model);
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
