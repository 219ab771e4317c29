#pragma once
// ETABS force files: splitting lines, the import and the force statistics.
//
// Two layouts are read. A table as current ETABS versions export it starts
// with a title line "TABLE:  Element Forces - Columns", then a line of field
// names and a units line; its fields are found by name, converted to kN and
// kN·m from the units line, P turned to compression positive, modal rows
// dropped and the other filters of the import page applied. Any other file
// is read by field numbers (Edit54..Edit56), a header line and then one
// combination per line. Either way the import is all or nothing: a failure
// leaves the force table, the grids and the captions as they were, and names
// the file line and field in its message.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/form.h"
#include "model/state.h"

namespace kuma {

using CsvFields = std::array<std::string, 40>;  // slots 1..40 are [0]..[39]

// The most a force file may hold: 2 GB and 20 million lines. Beyond them
// the import is refused with a message before it takes the memory.
inline constexpr std::uint64_t kMaxForceFileBytes = 2ULL * 1024 * 1024 * 1024;
inline constexpr std::size_t kMaxForceFileLines = 20000000;

// The fields of a line the import reads: by field numbers, by names.
inline constexpr std::size_t kNumberedFieldLimit = 40;
inline constexpr std::size_t kNamedFieldLimit = 256;

// How a force file is read (ComboBox10): by the title line when there is
// one, else by field numbers; always by field numbers; always by names.
enum class ForceLayout { Automatic = 0, FieldNumbers = 1, FieldNames = 2 };

// Splits at every comma (no quoting), trims blanks and control characters,
// keeps the first 40 fields; the other slots are emptied.
void SplitCsvLine(const std::string& line, CsvFields& fields);

// The bytes of a force file, refused with a message beyond 2 GB.
std::string ReadForceFileBytes(const std::string& path);
// The bytes of a force file as UTF-8 text: UTF-16 with a byte-order mark (or
// recognisable by its zero bytes) converted, UTF-8 kept (a leading
// byte-order mark dropped), anything else read as GBK. UTF-32 and other
// text with zero bytes is refused by name.
std::string DecodeForceText(std::string bytes);
// The lines of a text. A line ends at CR LF, LF or a lone CR; a line end at
// the very end starts no further line, so an empty text has no lines.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// Factors of the units of an ETABS units line: a force unit to kN (N, kN,
// kgf, tonf, kip, lb), a length unit to m (mm, cm, m, in, ft), a moment
// written force-length ("kip-ft", "kN-m") to kN·m. False for a unit not known.
bool ForceUnitToKilonewton(std::string_view unit, double& factor);
bool LengthUnitToMetre(std::string_view unit, double& factor);
bool MomentUnitToKilonewtonMetre(std::string_view unit, double& factor);

// Reads the settings of the import page (factors Edit57..59, field numbers
// Edit54..56, reading mode ComboBox10, cases ComboBox11, moments ComboBox12,
// stories Edit75 and columns Edit76), loads the file and, when it imports
// whole, replaces the table and fills StringGrid1, Label66, Label125 and the
// statistics. Raises kuma::Error, changing nothing, on a setting or a field
// that is not a number, a file that cannot be read, an unknown unit, a
// missing field, a filter name not in the file, or too little memory.
void ImportForces(Form& form, ForceTable& table, const std::string& path);
// The same from the bytes of a file; `path` is only recorded as its name.
void ImportForceBytes(Form& form, ForceTable& table, std::string bytes, const std::string& path);
// The same from text already decoded to UTF-8 lines (used by the tests).
void ImportForceLines(Form& form, ForceTable& table, const std::vector<std::string>& lines);

// Fills StringGrid2: the header row "Case", "P", "Mx", "My", "label" and
// the rows "N,max", "N,min", "Mx,max", "My,max", each with the name of the
// combination it shows.
void ShowForceStatistics(const ForceTable& table, Form& form);
// The record shown in statistics row 1..4 (0 when there is none), and the
// row's caption.
int GoverningCombination(const ForceTable& table, int row, const char** caption = nullptr);

// Re-reads the three plotting factors (Button13).
void ReadForceFactors(const Form& form, ForceTable& table);

}  // namespace kuma
