#pragma once
// Parameters of the initial form for a section kind, read the way the
// commands read them.

#include "model/form.h"
#include "model/section.h"
#include "model/section_input.h"

namespace kuma::test {

inline SectionParameters DefaultParameters(int kind) {
  MapForm form;
  form.SetItemIndex("ComboBox1", kind - 1);
  int sectionType = 0;
  SectionParameters params;
  ReadSectionParameters(form, sectionType, params);
  return params;
}

}  // namespace kuma::test
