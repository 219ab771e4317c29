#pragma once
// Copies the material constants of the five material groups into the fibers.

#include "model/fiber.h"
#include "model/form.h"

namespace kuma {

// For every fiber, by its material, re-reads and converts the constants of
// its group (law list position + 1 and the boxes); other codes are left
// untouched. A box that is not a number stops the pass at that fiber.
void AssignFiberMaterials(const Form& form, FiberArray& fibers);

}  // namespace kuma
