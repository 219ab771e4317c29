// The complete OpenSEES model of the meshed section, in Tcl or OpenSeesPy.
#include "report/opensees_model.h"

#include <algorithm>
#include <optional>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "report/opensees_analysis.h"
#include "report/opensees_laws.h"
#include "report/opensees_text.h"

namespace kuma {

using opensees::Arg;
using opensees::GroupOf;
using opensees::Int;
using opensees::kGroups;
using opensees::LevelMissedNote;
using opensees::MaterialCommand;
using opensees::MaterialGroup;
using opensees::MaterialOf;
using opensees::ModelWriter;
using opensees::Num;
using opensees::Var;
using opensees::Word;
using opensees::WriteAnalysis;

namespace {

// One uniaxialMaterial of the model, or a group that shares the tag (and
// the material) of an earlier one.
struct ModelMaterial {
  int group = 0;
  int tag = 0;
  int sharesWith = -1;  // the group whose material this is, or -1
  MaterialCommand command;
  int lawTag = 0;  // the law's material inside MinMax, when it ruptures
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

// The tags of the laws inside MinMax wrappers: the ones set on the page, else
// the tags after the groups' own. Each must differ from every other tag.
void AssignLawTags(std::vector<ModelMaterial>& materials, const OpenSeesTags& tags) {
  int nextTag = 0;
  for (const ModelMaterial& m : materials) nextTag = std::max(nextTag, m.tag);
  std::vector<int> used;
  for (const ModelMaterial& m : materials) used.push_back(m.tag);
  for (ModelMaterial& m : materials) {
    if (m.sharesWith >= 0 || m.command.rupture <= 0) continue;
    const int chosen = m.group == 3 ? tags.rebarLaw : m.group == 4 ? tags.steelShapeLaw : 0;
    m.lawTag = chosen > 0 ? chosen : ++nextTag;
    if (std::find(used.begin(), used.end(), m.lawTag) != used.end()) {
      throw Error(std::string(kGroups[m.group].name) + "本构材料的 OpenSEES 编号 " +
                  FormatInt(m.lawTag) + " 已被另一种材料使用");
    }
    used.push_back(m.lawTag);
  }
}

// The name of a section kind, as ComboBox1 lists it.
std::string KindName(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  return kind != nullptr ? kind->name : "?";
}

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
  w.Comment("Tags of the section, its materials" +
            std::string(analysis ? " and the analysis" : "") +
            ", as set on the OpenSEES page: to add this");
  w.Comment(std::string("model to an existing one, choose tags the existing one does not use") +
            (options.wipe ? " and no wipe." : "."));
  const OpenSeesTags& tags = options.tags;
  w.Set("sectionTag", Int(tags.section));
  for (const ModelMaterial& m : materials) {
    if (m.sharesWith >= 0) {
      w.Set(kGroups[m.group].tagName, Var(kGroups[m.sharesWith].tagName));
    } else {
      w.Set(kGroups[m.group].tagName, Int(m.tag));
    }
  }
  for (const ModelMaterial& m : materials) {
    if (m.lawTag > 0) w.Set(kGroups[m.group].lawTagName, Int(m.lawTag));
  }
  if (analysis) {
    const std::pair<const char*, int> analysisTags[] = {
        {"baseNode", tags.baseNode},         {"pushNode", tags.pushNode},
        {"elementTag", tags.element},        {"axialSeries", tags.axialSeries},
        {"axialPattern", tags.axialPattern}, {"pushSeries", tags.pushSeries},
        {"pushPattern", tags.pushPattern}};
    for (const auto& [name, tag] : analysisTags) w.Set(name, Int(tag));
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

// Young's modulus for the gross torsional stiffness: the initial tangent of
// the material written for core concrete (1), else for another concrete
// group, so that GJ follows the law: 2·fc/e0 of Concrete01 (law 1), Ec of
// Concrete04 (Appendix C, Mander, the filled-tube core).
struct ConcreteModulus {
  double Ec = 0;
  std::string how;  // for the comment
};
ConcreteModulus ConcreteModulusOf(const std::vector<ModelMaterial>& materials) {
  for (int group : {1, 0, 2}) {
    for (const ModelMaterial& m : materials) {
      if (m.group != group) continue;
      const MaterialCommand& c = m.command;
      const std::string of = std::string(" of ") + kGroups[group].tagName + "'s ";
      if (c.type == "Concrete01") return {2 * c.values[0] / c.values[1], "2*fc/e0" + of + c.type};
      return {c.values[3], "the initial modulus" + of + c.type};
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

bool HasSteelTube(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  return kind != nullptr && IsTube(*kind);
}

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
                  bool localYIsProgramY, const OpenSeesModel& model, int sectionType,
                  const ConcreteModulus& Ec) {
  if (options.threeD) {
    if (model.gjComputed) {
      w.Comment("GJ of the gross section: G*J, G = Ec/(2*(1 + 0.2)) with Ec = " + Ec.how);
      w.Comment(
          "(core concrete 1 when present, its law's initial tangent) = " + ModelNumber(Ec.Ec) +
          " N/mm2; J of the outline" + std::string(HasSteelTube(sectionType) ? "," : ""));
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

}  // namespace

std::string ModelNumber(double value) { return FormatShortest(value); }

std::string FiberLimitWarning(std::size_t fiberCount) {
  if (fiberCount <= kOpenSeesFiberLimit) return {};
  return "警告：截面共有 " + FormatInt(static_cast<long long>(fiberCount)) +
         " 根纤维，超过 OpenSEES 3.8 的上限 " +
         FormatInt(static_cast<long long>(kOpenSeesFiberLimit)) +
         " 根，OpenSEES 3.8 会拒绝这个截面（退出状态 255）。请减少网格划分数。";
}

OpenSeesModel BuildOpenSeesModel(const FiberArray& fibers, int sectionType,
                                 const SectionParameters& params, const MaterialTags& tags,
                                 const OpenSeesModelOptions& options) {
  OpenSeesModel model;
  model.warning = FiberLimitWarning(fibers.size());
  std::vector<ModelMaterial> materials = CollectMaterials(fibers, tags);
  AssignLawTags(materials, options.tags);

  ConcreteModulus Ec;
  if (options.threeD) {
    if (options.gjTyped) {
      model.gj = options.gj;
    } else {
      Ec = ConcreteModulusOf(materials);
      model.gj = GrossTorsionalStiffness(sectionType, params, Ec.Ec, SteelShapeModulus(fibers));
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
  if (options.analysis != SectionAnalysisAxis::None) WriteAnalysis(w, options, model, sectionType);
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
