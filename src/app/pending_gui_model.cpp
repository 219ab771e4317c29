// Temporary stand-in until the section-kind layout lands; delete this file
// when it does.
#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma {
void ApplySectionKindLayout(Form&) {}
}  // namespace kuma
