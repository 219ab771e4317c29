#pragma once
// Relabelling, showing and hiding the section input boxes for the kind
// selected in ComboBox1.

#include <string>
#include <string_view>

#include "model/form.h"

namespace kuma {

// Applies the captions and visibility of the kind selected in ComboBox1.
// (The caller then runs the section input command.)
void ApplySectionKindLayout(Form& form);

// The caption a kind-dependent label of the section page ("Label2",
// "Label5", "Label54", ...) shows for `sectionType`; a label the kind blanks
// keeps the caption of the rectangular column. Empty for other labels.
std::string KindLabelCaption(int sectionType, std::string_view label);

}  // namespace kuma
