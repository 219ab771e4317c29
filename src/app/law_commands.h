#pragma once
// The stress-strain values of the five material groups' laws, as the CLI's
// `laws` command lists them.

#include <string>
#include <vector>

#include "model/form.h"
#include "model/state.h"

namespace kuma {

// CSV lines "group,strain,stress" (header first) for the groups 0, 1, 2, 11
// and 12, at `strains` or, when it is empty, at each group's picture samples
// (signed as the law takes them: concrete compression negative). A law that
// depends on the section (the filled-tube law) meshes it first.
std::vector<std::string> LawTableCommand(AppState& state, Form& form,
                                         const std::vector<double>& strains);

}  // namespace kuma
