#pragma once
// The OpenSEES page's choices read from the form.

#include "model/form.h"
#include "report/opensees_model.h"

namespace kuma {

// Reads the choices of the OpenSEES page (ComboBox18 language, ComboBox19
// dimension, ComboBox20 analysis, Edit90 GJ, blank for the gross section,
// ComboBox46 wipe, Edit160..Edit169 the model's tags) and, for an analysis,
// Edit30 (axial level), Edit34 (ultimate strain), Edit61..Edit63 (K, N, λ
// of the search), Edit91 (steps), Edit92 (result file), ComboBox44 (target)
// and ComboBox45 (path). Failures raise kuma::Error.
OpenSeesModelOptions ReadOpenSeesModelOptions(const Form& form);

}  // namespace kuma
