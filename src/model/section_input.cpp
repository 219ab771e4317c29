#include "model/section_input.h"

#include <vector>

#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// One box read into one field of the parameters: a real or an integer field.
struct ReadStep {
  const char* box;
  double SectionParameters::*real = nullptr;
  int SectionParameters::*integer = nullptr;
};

using P = SectionParameters;

ReadStep Real(const char* box, double P::*field) { return {box, field, nullptr}; }
ReadStep Integer(const char* box, int P::*field) { return {box, nullptr, field}; }

// Outline, cover, bars and mesh counts of the rectangular kinds 1, 3, 4, 8.
const std::vector<ReadStep> kRectangularRc = {
    Real("Edit1", &P::B),      Real("Edit2", &P::H),     Real("Edit3", &P::as),
    Integer("Edit5", &P::rX),  Integer("Edit6", &P::cX), Real("Edit7", &P::dX),
    Integer("Edit4", &P::rY),  Integer("Edit8", &P::cY), Real("Edit9", &P::dY),
    Integer("Edit10", &P::nc), Real("Edit11", &P::dc),   Integer("Edit12", &P::nx),
    Integer("Edit13", &P::ny), Integer("Edit93", &P::coverLayers)};

// Circular kinds 2 and 7: the diameter in Edit1 is both B and H.
const std::vector<ReadStep> kCircularRc = {Real("Edit1", &P::B),      Real("Edit1", &P::H),
                                           Real("Edit3", &P::as),     Integer("Edit5", &P::rX),
                                           Integer("Edit6", &P::cX),  Real("Edit7", &P::dX),
                                           Integer("Edit12", &P::nx), Integer("Edit13", &P::ny),
                                           Integer("Edit93", &P::coverLayers)};

const std::vector<ReadStep> kYShape = {Real("Edit42", &P::h), Real("Edit43", &P::b),
                                       Real("Edit44", &P::tf), Real("Edit45", &P::tw)};
const std::vector<ReadStep> kXShape = {Real("Edit46", &P::hX), Real("Edit47", &P::bX),
                                       Real("Edit48", &P::tfX), Real("Edit49", &P::twX)};
// The tube of kind 8: outer diameter in Edit42, wall thickness in Edit44.
const std::vector<ReadStep> kTube = {Real("Edit42", &P::h), Real("Edit44", &P::tf)};
const std::vector<ReadStep> kShapeMesh = {Integer("Edit50", &P::nf), Integer("Edit51", &P::nw)};

std::vector<ReadStep> Join(std::initializer_list<const std::vector<ReadStep>*> parts) {
  std::vector<ReadStep> steps;
  for (const auto* part : parts) steps.insert(steps.end(), part->begin(), part->end());
  return steps;
}

const std::vector<ReadStep>& ReadTable(int sectionType) {
  static const std::vector<ReadStep> none;
  static const std::vector<ReadStep> tables[8] = {
      kRectangularRc,
      kCircularRc,
      Join({&kRectangularRc, &kYShape, &kXShape, &kShapeMesh}),
      Join({&kRectangularRc, &kYShape, &kShapeMesh}),
      {Real("Edit1", &P::B), Real("Edit1", &P::H), Real("Edit3", &P::tw), Integer("Edit12", &P::nx),
       Integer("Edit13", &P::ny)},
      {Real("Edit1", &P::B), Real("Edit2", &P::H), Real("Edit3", &P::tw), Real("Edit41", &P::twX),
       Integer("Edit12", &P::nx), Integer("Edit13", &P::ny)},
      Join({&kCircularRc, &kYShape, &kXShape, &kShapeMesh}),
      Join({&kRectangularRc, &kTube, &kShapeMesh}),
  };
  if (sectionType < 1 || sectionType > 8) return none;
  return tables[sectionType - 1];
}

bool IsCircular(int sectionType) {
  return sectionType == CircleRc || sectionType == CircleCfst || sectionType == CircleSteelRc;
}

// A count box, its caption for the kind, and the least value the mesher can
// take.
struct CountCheck {
  int P::*field;
  const char* box;
  const char* caption;
  int least;
};

std::vector<CountCheck> CountChecks(int sectionType) {
  const bool circular = IsCircular(sectionType);
  const int meshLeast = circular ? 0 : 2;
  std::vector<CountCheck> checks;
  auto add = [&checks](int P::*field, const char* box, const char* caption, int least) {
    checks.push_back({field, box, caption, least});
  };
  switch (sectionType) {
    case RectRc:
    case RectSteelRc1:
    case RectSteelRc2:
    case RectComposite:
      add(&P::rX, "Edit5", "X方向钢筋排数", 0);
      add(&P::cX, "Edit6", "X方向钢筋根数", 0);
      add(&P::rY, "Edit4", "Y方向钢筋排数", 0);
      add(&P::cY, "Edit8", "Y方向钢筋根数", 0);
      break;
    case CircleRc:
    case CircleSteelRc:
      add(&P::rX, "Edit5", "环向钢筋排数", 0);
      add(&P::cX, "Edit6", "环向钢筋根数", 0);
      break;
    default:
      break;
  }
  switch (sectionType) {
    case RectRc:
    case RectSteelRc1:
    case RectSteelRc2:
    case RectComposite:
    case CircleRc:
    case CircleSteelRc:
      add(&P::coverLayers, "Edit93", "保护层纤维层数", 1);
      break;
    default:
      break;
  }
  if (sectionType >= 1 && sectionType <= 8) {
    add(&P::nx, "Edit12", circular ? "环向划分网格数量" : "X方向划分网格数量", meshLeast);
    add(&P::ny, "Edit13", circular ? "径向划分网格数量" : "Y方向划分网格数量", meshLeast);
  }
  if (sectionType == RectSteelRc1 || sectionType == RectSteelRc2 || sectionType == CircleSteelRc) {
    add(&P::nf, "Edit50", "翼缘划分网格数量", 0);
    add(&P::nw, "Edit51", "腹板划分网格数量", 0);
  }
  if (sectionType == RectComposite) {
    add(&P::nf, "Edit50", "钢管内环向划分数量", 0);
    add(&P::nw, "Edit51", "钢管内径向划分数量", 0);
  }
  return checks;
}

}  // namespace

void ReadSectionParameters(const Form& form, int& sectionType, SectionParameters& params) {
  sectionType = form.ItemIndex("ComboBox1") + 1;
  for (const ReadStep& step : ReadTable(sectionType)) {
    if (step.real != nullptr) {
      params.*step.real = form.Float(step.box);
    } else {
      params.*step.integer = form.Integer(step.box);
    }
  }
}

void ValidateMeshInput(int sectionType, const SectionParameters& params) {
  for (const CountCheck& check : CountChecks(sectionType)) {
    if (params.*check.field < check.least) {
      throw Error(std::string(check.caption) + "(" + check.box + ")必须不小于" +
                  FormatInt(check.least));
    }
  }
  const std::int64_t count = SectionFiberCount(sectionType, params);
  if (count > kMaxFiberCount) throw Error(TooManyFibersMessage(count));
}

}  // namespace kuma
