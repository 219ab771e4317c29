#include "model/section_input.h"

#include <vector>

#include "model/section_kind.h"

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

// Outline, cover, bars and mesh counts of a rectangular kind with bars.
const std::vector<ReadStep> kRectangularRc = {
    Real("Edit1", &P::B),      Real("Edit2", &P::H),     Real("Edit3", &P::as),
    Integer("Edit5", &P::rX),  Integer("Edit6", &P::cX), Real("Edit7", &P::dX),
    Integer("Edit4", &P::rY),  Integer("Edit8", &P::cY), Real("Edit9", &P::dY),
    Integer("Edit10", &P::nc), Real("Edit11", &P::dc),   Integer("Edit12", &P::nx),
    Integer("Edit13", &P::ny), Integer("Edit93", &P::coverLayers)};

// A round kind with bars: the diameter in Edit1 is both B and H.
const std::vector<ReadStep> kCircularRc = {Real("Edit1", &P::B),      Real("Edit1", &P::H),
                                           Real("Edit3", &P::as),     Integer("Edit5", &P::rX),
                                           Integer("Edit6", &P::cX),  Real("Edit7", &P::dX),
                                           Integer("Edit12", &P::nx), Integer("Edit13", &P::ny),
                                           Integer("Edit93", &P::coverLayers)};

// Concrete-filled tubes: the wall thickness in Edit3 (and the top and bottom
// walls of a rectangular tube in Edit41).
const std::vector<ReadStep> kCircularTube = {Real("Edit1", &P::B), Real("Edit1", &P::H),
                                             Real("Edit3", &P::tw), Integer("Edit12", &P::nx),
                                             Integer("Edit13", &P::ny)};
const std::vector<ReadStep> kRectangularTube = {
    Real("Edit1", &P::B),    Real("Edit2", &P::H),      Real("Edit3", &P::tw),
    Real("Edit41", &P::twX), Integer("Edit12", &P::nx), Integer("Edit13", &P::ny)};

const std::vector<ReadStep> kYShape = {Real("Edit42", &P::h), Real("Edit43", &P::b),
                                       Real("Edit44", &P::tf), Real("Edit45", &P::tw)};
const std::vector<ReadStep> kXShape = {Real("Edit46", &P::hX), Real("Edit47", &P::bX),
                                       Real("Edit48", &P::tfX), Real("Edit49", &P::twX)};
// An inner tube: outer diameter in Edit42, wall thickness in Edit44.
const std::vector<ReadStep> kInnerTube = {Real("Edit42", &P::h), Real("Edit44", &P::tf)};
const std::vector<ReadStep> kShapeMesh = {Integer("Edit50", &P::nf), Integer("Edit51", &P::nw)};

// The boxes a kind reads, in order: the outline and bars (or the tube), then
// the embedded steel and its mesh counts.
std::vector<ReadStep> ReadSteps(const SectionKindRow& kind) {
  const bool circular = IsCircular(kind);
  std::vector<const std::vector<ReadStep>*> parts;
  if (IsTube(kind)) {
    parts.push_back(circular ? &kCircularTube : &kRectangularTube);
  } else {
    parts.push_back(circular ? &kCircularRc : &kRectangularRc);
  }
  if (HasShapes(kind)) parts.push_back(&kYShape);
  if (kind.steel == KindSteel::ShapesXY) parts.push_back(&kXShape);
  if (kind.steel == KindSteel::InnerTube) parts.push_back(&kInnerTube);
  if (HasShapes(kind) || kind.steel == KindSteel::InnerTube) parts.push_back(&kShapeMesh);
  std::vector<ReadStep> steps;
  for (const auto* part : parts) steps.insert(steps.end(), part->begin(), part->end());
  return steps;
}

}  // namespace

void ReadSectionParameters(const Form& form, int& sectionType, SectionParameters& params) {
  sectionType = SelectedSectionType(form);
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr) return;
  for (const ReadStep& step : ReadSteps(*kind)) {
    if (step.real != nullptr) {
      params.*step.real = form.Float(step.box);
    } else {
      params.*step.integer = form.Integer(step.box);
    }
  }
}

}  // namespace kuma
