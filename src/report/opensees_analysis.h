#pragma once
// The moment–curvature push of a zero-length section element, written after
// the model's section.

#include <string>

#include "model/fiber.h"
#include "report/opensees_model.h"
#include "report/opensees_text.h"

namespace kuma::opensees {

// The push's values, nodes, loading and loop, with a comment on what it does.
void WriteAnalysis(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m,
                   int sectionType);

// A note when the capacity state's axial force misses the level by more
// than 0.1 % of the section's axial range, else empty.
std::string LevelMissedNote(const FiberArray& fibers, const OpenSeesModelOptions& o, double P);

}  // namespace kuma::opensees
