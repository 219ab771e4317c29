#include "model/code_settings.h"

namespace kuma {

CodeCheckSettings ReadCodeCheckSettings(const Form& form) {
  (void)form;
  return {};
}

}  // namespace kuma
