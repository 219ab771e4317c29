#pragma once
// ETABS force files: splitting lines, the import and the force statistics.

#include <array>
#include <istream>
#include <string>
#include <vector>

#include "app/state.h"
#include "model/form.h"

namespace kuma {

using CsvFields = std::array<std::string, 40>;  // slots 1..40 are [0]..[39]

// Splits at every comma (no quoting), trims blanks and control characters,
// keeps the first 40 fields; the other slots are emptied.
void SplitCsvLine(const std::string& line, CsvFields& fields);

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
