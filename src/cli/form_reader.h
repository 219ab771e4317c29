#pragma once
// kumasec-cli's form values: the lines Name=Text of a form file (--form) and
// of each --set, applied to a MapForm. Mistakes are usage errors.

#include <stdexcept>
#include <string>
#include <string_view>

#include "model/form.h"

namespace kuma {

// A mistake in the command line or the form file: exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Applies one "Name=Text" (blanks around both trimmed). Name is an edit box
// (its text) or a drop-down list (the 0-based position of its entry).
// `where` prefixes the message of a usage error ("--set: ", "FILE:3: ").
// Text that is not UTF-8 is read as GBK when it is valid GBK, else refused.
void ApplyFormValue(MapForm& form, const std::string& line, const std::string& where,
                    bool fillGrades = true);

// Applies the lines of a form file's contents, `source` naming it in
// messages. Lines end with LF, CR LF or CR alone; a UTF-8 byte-order mark at
// the start, blank lines and lines starting with '#' are skipped. A file
// that is not UTF-8 is read as GBK when it is valid GBK as a whole, else
// refused naming its first line that is not UTF-8.
void ApplyFormText(MapForm& form, std::string_view text, const std::string& source);

// Reads the file and applies it; a file that cannot be read (missing, a
// folder, unreadable) is a usage error that says why.
void ApplyFormFile(MapForm& form, const std::string& path);

}  // namespace kuma
