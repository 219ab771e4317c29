#pragma once
// The captions the form shows beside its boxes, by control name. Messages
// name a box by its caption, as the engineer sees it; kumasec-cli adds the
// control name after it, so that the box can be set with --set.

#include <string>
#include <string_view>

#include "model/errors.h"
#include "model/form.h"

namespace kuma {

// The caption of `box` for a section kind (its SectionType): the section page's boxes
// are captioned by kind ("截面宽度B", "直径D", "X方向钢筋直径" ...); boxes
// whose caption repeats on one page carry their group's title first
// ("边缘区混凝土本构 受压屈服强度fc"). Empty for a box without a caption.
std::string BoxCaption(std::string_view box, int sectionType);
// The same for the kind selected in the form's ComboBox1.
std::string BoxCaption(const Form& form, std::string_view box);

// A message that names boxes, built in both wordings at once: the window's
// ("截面宽度B必须大于0") and kumasec-cli's ("截面宽度B(Edit1)必须大于0").
class BoxMessage {
 public:
  BoxMessage& operator<<(std::string_view text);
  // The box by its caption, followed in the CLI wording by "(name)".
  BoxMessage& Box(std::string_view caption, std::string_view name);

  [[noreturn]] void Throw() const;

 private:
  std::string plain_, withControls_;
};

// Runs a conversion of the text of `box` and, when it fails, raises its
// message after the box's caption: "截面宽度B: '50O' 不是有效的数值", an empty
// box "截面宽度B: 未输入数值" ("截面宽度B(Edit1): ..." in the CLI wording).
template <typename Convert>
auto ConvertNamed(const Form& form, std::string_view box, Convert convert) -> decltype(convert()) {
  try {
    return convert();
  } catch (const Error& e) {
    const std::string caption = BoxCaption(form, box);
    if (caption.empty()) throw;
    (BoxMessage().Box(caption, box) << ": " << e.what()).Throw();
  }
}

}  // namespace kuma
