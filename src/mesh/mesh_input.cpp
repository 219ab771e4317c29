#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "model/captions.h"
#include "model/controls/material_pages.h"
#include "model/controls/section_page.h"
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
    add(&P::rX, ctl::kBarRowsXBox, 0);
    add(&P::cX, ctl::kBarCountXBox, 0);
    if (!IsCircular(kind)) {
      add(&P::rY, ctl::kBarRowsYBox, 0);
      add(&P::cY, ctl::kBarCountYBox, 0);
    }
    add(&P::coverLayers, ctl::kCoverLayersBox, 1);
  }
  add(&P::nx, ctl::kMeshXBox, meshLeast);
  add(&P::ny, ctl::kMeshYBox, meshLeast);
  if (HasShapes(kind) || kind.steel == KindSteel::InnerTube) {
    add(&P::nf, ctl::kFlangeMeshBox, 0);
    add(&P::nw, ctl::kWebMeshBox, 0);
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
