#pragma once
// Relabelling, showing and hiding the section input boxes for the kind
// selected in ComboBox1.

#include "model/form.h"

namespace kuma {

// Applies the captions and visibility of the kind selected in ComboBox1.
// (The caller then runs the section input command.)
void ApplySectionKindLayout(Form& form);

}  // namespace kuma
