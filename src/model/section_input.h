#pragma once
// Reading the section from the form, and refusing input that cannot be meshed.

#include "model/form.h"
#include "model/section.h"

namespace kuma {

// Sets sectionType from ComboBox1 and reads the boxes of that kind, in the
// kind's order; values the kind does not read keep what they held. A box that
// does not hold a number stops the read at that box (raising the conversion
// message), with the boxes before it already stored.
void ReadSectionParameters(const Form& form, int& sectionType, SectionParameters& params);

// Refuses, with a message that names the box, counts that the meshers cannot
// mesh (mesh counts below 2 where a kind needs 2, negative counts) and
// sections whose fiber count would exceed what the program can hold.
void ValidateMeshInput(int sectionType, const SectionParameters& params);

}  // namespace kuma
