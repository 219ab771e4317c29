#pragma once
// Reading the section from the form.

#include "model/form.h"
#include "model/section.h"

namespace kuma {

// Sets sectionType from ComboBox1 and reads the boxes of that kind, in the
// kind's order; values the kind does not read keep what they held. A box that
// does not hold a number stops the read at that box (raising the conversion
// message), with the boxes before it already stored.
void ReadSectionParameters(const Form& form, int& sectionType, SectionParameters& params);

}  // namespace kuma
