#pragma once
// The section's areas and steel ratios, shown in the boxes of "统计信息".

#include "model/fiber.h"
#include "model/form.h"
#include "model/section.h"

namespace kuma {

// Writes Edit36 (gross area), Edit31 (concrete), Edit37 (bars), Edit38
// (structural steel), Edit39 (bar ratio %), Edit40 (steel ratio %). A zero
// gross area raises the floating-point error before any box is written.
void ShowSectionStatistics(int sectionType, const SectionParameters& params,
                           const FiberArray& fibers, Form& form);

}  // namespace kuma
