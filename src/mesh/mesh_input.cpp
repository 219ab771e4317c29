#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

using P = SectionParameters;

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
