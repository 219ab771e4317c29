#pragma once
// The OpenSEES page's commands: the fiber text or the complete model into
// Memo1, notes (fiber count, torsional stiffness, analysis, warnings) into
// Memo2, and the text saved to a file. Shared by the window and kumasec-cli.

#include <string>
#include <vector>

#include "app/opensees_options.h"
#include "model/form.h"
#include "model/state.h"
#include "report/opensees_model.h"

namespace kuma {

// The complete model ("完整模型"): tags, read, mesh, assign, draw the section,
// then the model into Memo1 and the notes into Memo2. The language is the
// one given, whatever ComboBox18 says. Returns the model with its warning.
OpenSeesModel OpenSeesModelCommand(AppState& state, Form& form, OpenSeesLanguage language);

// Button18 "生成OPENSEES的命令流": the fiber text (ComboBox17 entry 0,
// exactly as before) or the complete model in ComboBox18's language; the
// notes into Memo2 either way.
void OpenSeesPageCommand(AppState& state, Form& form);

// The text of the page as a file: `text` split into lines at LF (a CR before
// it is dropped), written as UTF-8 with LF line ends, atomically.
void SaveOpenSeesPageText(const std::string& path, const std::string& text);

}  // namespace kuma
