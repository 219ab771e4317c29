#pragma once
// Reading the library and the assignments out of a parsed section file.
// Only the section file reader uses it.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/library.h"

namespace kuma {

struct SectionFile;

// The library of the document `root`; without a "library" the file's own
// section (already parsed into `file`) as a library of one. Raises
// kuma::Error naming what is damaged; notes what it ignores in `warnings`.
SectionLibrary ParseLibrary(const nlohmann::ordered_json& root, const SectionFile& file,
                            const std::string& path, std::vector<std::string>& warnings);

}  // namespace kuma
