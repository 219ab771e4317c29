#pragma once
// A large sheet read on several threads, in pieces cut at the ends of rows,
// giving the text a reading in one piece gives.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "forces/workbook_package.h"
#include "forces/workbook_sheet.h"

namespace kuma::xlsx {

// The text of the sheet in `part` as a TextWriter within `bounds` writes it, parsed in
// pieces of about `pieceBytes` on `workers` threads; nothing when the split
// was given up (the sheet is then to be read in one piece, which says what
// is wrong exactly). `pieces` is set to the pieces read.
std::optional<std::string> SplitSheetText(Package& package, const std::string& part,
                                          const SheetContext& context,
                                          const std::vector<std::string>& names,
                                          const std::vector<long long>& first,
                                          const TextBounds& bounds, std::size_t pieceBytes,
                                          unsigned workers, std::size_t& pieces);

}  // namespace kuma::xlsx
