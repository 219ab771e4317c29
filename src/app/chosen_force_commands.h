#pragma once
// A combination chosen in the check table, shown where the charts plot it.

#include "model/form.h"
#include "model/state.h"

namespace kuma {

// Record `record` (a row of StringGrid3): the PM charts (Image2, Image3),
// the MM chart (Image5) and the 3-D picture (Image25) drawn again with the
// force points in their ratio colours and this record ringed in magenta.
// A chart not computed yet is left alone.
void RingCombinationCommand(AppState& state, Form& form, int record);

}  // namespace kuma
