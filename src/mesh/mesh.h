#pragma once
// The mesher dispatch: turns the section parameters into fibers.

#include <cstdint>
#include <string>

#include "model/fiber.h"
#include "model/section.h"

namespace kuma {

// The most fibers a section may have (about 370 MB of fiber records).
inline constexpr std::int64_t kMaxFiberCount = 2000000;

// Rebuilds `fibers` with the mesher of `sectionType` (a row of the kinds' table); any other kind
// meshes nothing and leaves `fibers` as it was. The caller has validated the
// parameters with ValidateMeshInput; if it has not, counts the mesher cannot
// mesh raise kuma::Error before anything is written, never a write outside
// the array.
void MeshSection(int sectionType, const SectionParameters& params, FiberArray& fibers);

// The number of fibers MeshSection would create, formed in 64 bits (it
// saturates at INT64_MAX); 0 for an unknown kind. Meaningful for counts the
// validation accepts.
std::int64_t SectionFiberCount(int sectionType, const SectionParameters& params);

// "截面纤维数量(N)超过上限2000000，请减少网格划分数量或钢筋数量"
std::string TooManyFibersMessage(std::int64_t count);

// Refuses, with a message that names the box, counts that the meshers cannot
// mesh (mesh counts below 2 where a kind needs 2, negative counts) and
// sections whose fiber count would exceed what the program can hold.
void ValidateMeshInput(int sectionType, const SectionParameters& params);

}  // namespace kuma
