#pragma once
// ETABS force files: splitting lines, the import and the force statistics.

#include <array>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "model/state.h"
#include "model/form.h"

namespace kuma {

using CsvFields = std::array<std::string, 40>;  // slots 1..40 are [0]..[39]

// Splits at every comma (no quoting), trims blanks and control characters,
// keeps the first 40 fields; the other slots are emptied.
void SplitCsvLine(const std::string& line, CsvFields& fields);

// The bytes of a force file as UTF-8 text: kept as they are when they are
// valid UTF-8 (a leading byte-order mark dropped), otherwise read as GBK.
std::string DecodeForceText(std::string bytes);
// The lines of a text. A line ends at CR LF, LF or a lone CR; a line end at
// the very end starts no further line, so an empty text has no lines.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// Reads the factors (Edit57..59) and field numbers (Edit54..56), loads the
// file (GBK, or UTF-8 with or without a byte-order mark), fills StringGrid1,
// the table, Label66, then the statistics. Raises kuma::Error on a file that
// cannot be opened (nothing changed) or a field that is not a number.
void ImportForces(Form& form, ForceTable& table, const std::string& path);
// The same from text already decoded to UTF-8 lines (used by the tests).
void ImportForceLines(Form& form, ForceTable& table, const std::vector<std::string>& lines);

// Fills StringGrid2: the header row and the rows "N,max", "N,min", "Mx,max",
// "Mx,min".
void ShowForceStatistics(const ForceTable& table, Form& form);

// Re-reads the three plotting factors (Button13).
void ReadForceFactors(const Form& form, ForceTable& table);

}  // namespace kuma
