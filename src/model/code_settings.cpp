#include "model/code_settings.h"

#include <cmath>

#include "model/captions.h"
#include "model/controls/code_page.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// The captions of the page's number boxes, as the messages name them.
constexpr const char* kLengthCaption = "柱长H";
constexpr const char* kFactorCaption = "计算长度系数l0/H";
constexpr const char* kAxialLimitCaption = "轴压比限值";

// A box that may be left blank ("automatic", 0); otherwise a number of at
// least 0. A text that is no number, or a negative one, is refused naming
// the box.
double OptionalAmount(const Form& form, const char* box, const char* caption) {
  const std::string text = form.Text(box);
  if (text.find_first_not_of(" \t") == std::string::npos) return 0;
  double value = 0;
  try {
    value = StrToFloat(text);
  } catch (const Error& e) {
    (BoxMessage().Box(caption, box) << ": " << e.what()).Throw();
  }
  if (value < 0) (BoxMessage().Box(caption, box) << "不能小于0").Throw();
  return value;
}

// The entry of a list as an enum; a position outside the list gives `initial`.
template <typename Enum>
Enum ListChoice(const Form& form, const char* list, int entries, Enum initial) {
  const int i = form.ItemIndex(list);
  return i >= 0 && i < entries ? static_cast<Enum>(i) : initial;
}

}  // namespace

CodeCheckSettings ReadCodeCheckSettings(const Form& form) {
  CodeCheckSettings s;
  s.enabled = form.ItemIndex(ctl::kCodeCheckList) == 1;
  s.grade = ListChoice(form, ctl::kSeismicGradeList, 6, s.grade);
  s.system = ListChoice(form, ctl::kStructuralSystemList, 6, s.system);
  s.position = ListChoice(form, ctl::kColumnPositionList, 3, s.position);
  s.floors = ListChoice(form, ctl::kFloorKindList, 2, s.floors);
  s.shearSpan = ListChoice(form, ctl::kShearSpanList, 2, s.shearSpan);
  s.hoopRaise = form.ItemIndex(ctl::kHoopRaiseList) == 1;
  s.coreRaise = form.ItemIndex(ctl::kCoreRaiseList) == 1;
  s.length = OptionalAmount(form, ctl::kColumnLengthBox, kLengthCaption);
  s.lengthFactor = OptionalAmount(form, ctl::kLengthFactorBox, kFactorCaption);
  s.axialRatioLimit = OptionalAmount(form, ctl::kAxialRatioLimitBox, kAxialLimitCaption);
  s.seismicCases = form.Text(ctl::kSeismicCasesBox);
  return s;
}

}  // namespace kuma
