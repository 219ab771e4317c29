#include "model/section_input.h"

#include <vector>

#include "model/controls/material_pages.h"
#include "model/controls/section_page.h"
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
const std::vector<ReadStep> kRectangularRc = {Real(ctl::kWidthBox, &P::B),
                                              Real(ctl::kHeightBox, &P::H),
                                              Real(ctl::kCoverBox, &P::as),
                                              Integer(ctl::kBarRowsXBox, &P::rX),
                                              Integer(ctl::kBarCountXBox, &P::cX),
                                              Real(ctl::kBarDiameterXBox, &P::dX),
                                              Integer(ctl::kBarRowsYBox, &P::rY),
                                              Integer(ctl::kBarCountYBox, &P::cY),
                                              Real(ctl::kBarDiameterYBox, &P::dY),
                                              Integer(ctl::kCornerBarCountBox, &P::nc),
                                              Real(ctl::kCornerBarDiameterBox, &P::dc),
                                              Integer(ctl::kMeshXBox, &P::nx),
                                              Integer(ctl::kMeshYBox, &P::ny),
                                              Integer(ctl::kCoverLayersBox, &P::coverLayers)};

// A round kind with bars: the diameter in Edit1 is both B and H.
const std::vector<ReadStep> kCircularRc = {Real(ctl::kWidthBox, &P::B),
                                           Real(ctl::kWidthBox, &P::H),
                                           Real(ctl::kCoverBox, &P::as),
                                           Integer(ctl::kBarRowsXBox, &P::rX),
                                           Integer(ctl::kBarCountXBox, &P::cX),
                                           Real(ctl::kBarDiameterXBox, &P::dX),
                                           Integer(ctl::kMeshXBox, &P::nx),
                                           Integer(ctl::kMeshYBox, &P::ny),
                                           Integer(ctl::kCoverLayersBox, &P::coverLayers)};

// Concrete-filled tubes: the wall thickness in Edit3 (and the top and bottom
// walls of a rectangular tube in Edit41).
const std::vector<ReadStep> kCircularTube = {
    Real(ctl::kWidthBox, &P::B), Real(ctl::kWidthBox, &P::H), Real(ctl::kCoverBox, &P::tw),
    Integer(ctl::kMeshXBox, &P::nx), Integer(ctl::kMeshYBox, &P::ny)};
const std::vector<ReadStep> kRectangularTube = {
    Real(ctl::kWidthBox, &P::B),     Real(ctl::kHeightBox, &P::H),
    Real(ctl::kCoverBox, &P::tw),    Real(ctl::kTubeWallYBox, &P::twX),
    Integer(ctl::kMeshXBox, &P::nx), Integer(ctl::kMeshYBox, &P::ny)};

const std::vector<ReadStep> kYShape = {
    Real(ctl::kShapeYDepthBox, &P::h), Real(ctl::kShapeYWidthBox, &P::b),
    Real(ctl::kShapeYFlangeBox, &P::tf), Real(ctl::kShapeYWebBox, &P::tw)};
const std::vector<ReadStep> kXShape = {
    Real(ctl::kShapeXDepthBox, &P::hX), Real(ctl::kShapeXWidthBox, &P::bX),
    Real(ctl::kShapeXFlangeBox, &P::tfX), Real(ctl::kShapeXWebBox, &P::twX)};
// An inner tube: outer diameter in Edit42, wall thickness in Edit44.
const std::vector<ReadStep> kInnerTube = {Real(ctl::kShapeYDepthBox, &P::h),
                                          Real(ctl::kShapeYFlangeBox, &P::tf)};
const std::vector<ReadStep> kShapeMesh = {Integer(ctl::kFlangeMeshBox, &P::nf),
                                          Integer(ctl::kWebMeshBox, &P::nw)};

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
