#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "model/captions.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

using P = SectionParameters;

bool IsCircular(int sectionType) {
  return sectionType == CircleRc || sectionType == CircleCfst || sectionType == CircleSteelRc;
}

// A count box and the least value the mesher can take.
struct CountCheck {
  int P::*field;
  const char* box;
  int least;
};

std::vector<CountCheck> CountChecks(int sectionType) {
  const bool circular = IsCircular(sectionType);
  const int meshLeast = circular ? 0 : 2;
  std::vector<CountCheck> checks;
  auto add = [&checks](int P::*field, const char* box, int least) {
    checks.push_back({field, box, least});
  };
  switch (sectionType) {
    case RectRc:
    case RectSteelRc1:
    case RectSteelRc2:
    case RectComposite:
      add(&P::rX, "Edit5", 0);
      add(&P::cX, "Edit6", 0);
      add(&P::rY, "Edit4", 0);
      add(&P::cY, "Edit8", 0);
      break;
    case CircleRc:
    case CircleSteelRc:
      add(&P::rX, "Edit5", 0);
      add(&P::cX, "Edit6", 0);
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
      add(&P::coverLayers, "Edit93", 1);
      break;
    default:
      break;
  }
  if (sectionType >= 1 && sectionType <= 8) {
    add(&P::nx, "Edit12", meshLeast);
    add(&P::ny, "Edit13", meshLeast);
  }
  if (sectionType == RectSteelRc1 || sectionType == RectSteelRc2 || sectionType == CircleSteelRc) {
    add(&P::nf, "Edit50", 0);
    add(&P::nw, "Edit51", 0);
  }
  if (sectionType == RectComposite) {
    add(&P::nf, "Edit50", 0);
    add(&P::nw, "Edit51", 0);
  }
  return checks;
}

}  // namespace

void ValidateMeshInput(int sectionType, const SectionParameters& params) {
  for (const CountCheck& check : CountChecks(sectionType)) {
    if (params.*check.field < check.least) {
      (BoxMessage().Box(BoxCaption(check.box, sectionType), check.box)
       << "必须不小于" << FormatInt(check.least))
          .Throw();
    }
  }
  const std::int64_t count = SectionFiberCount(sectionType, params);
  if (count > kMaxFiberCount) throw Error(TooManyFibersMessage(count));
}

}  // namespace kuma
