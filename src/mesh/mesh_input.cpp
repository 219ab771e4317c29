#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "model/captions.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

namespace kuma {

namespace {

using P = SectionParameters;

// A count box and the least value the mesher can take.
struct CountCheck {
  int P::*field;
  const char* box;
  int least;
};

std::vector<CountCheck> CountChecks(const SectionKindRow& kind) {
  // Round kinds mesh any number of sectors and rings; rectangular grids need
  // a cover cell at each side.
  const int meshLeast = IsCircular(kind) ? 0 : 2;
  std::vector<CountCheck> checks;
  auto add = [&checks](int P::*field, const char* box, int least) {
    checks.push_back({field, box, least});
  };
  if (kind.bars) {
    add(&P::rX, "Edit5", 0);
    add(&P::cX, "Edit6", 0);
    if (!IsCircular(kind)) {
      add(&P::rY, "Edit4", 0);
      add(&P::cY, "Edit8", 0);
    }
    add(&P::coverLayers, "Edit93", 1);
  }
  add(&P::nx, "Edit12", meshLeast);
  add(&P::ny, "Edit13", meshLeast);
  if (HasShapes(kind) || kind.steel == KindSteel::InnerTube) {
    add(&P::nf, "Edit50", 0);
    add(&P::nw, "Edit51", 0);
  }
  return checks;
}

}  // namespace

void ValidateMeshInput(int sectionType, const SectionParameters& params) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr) return;
  for (const CountCheck& check : CountChecks(*kind)) {
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
