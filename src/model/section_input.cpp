#include "model/section_input.h"

#include <vector>


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

}  // namespace kuma
