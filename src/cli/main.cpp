// kumasec-cli: runs the program's commands without a window, on a form held
// in memory, and prints what the window would show.

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/section_commands.h"
#include "model/state.h"
#include "cli/picture_form.h"
#include "mesh/mesh.h"
#include "model/materials.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/numfmt.h"
#include "model/section_file.h"
#include "model/section_input.h"
#include "report/calc_report.h"
#include "report/pdf/pdf_report.h"
#include "report/reports.h"

namespace {

using kuma::AppState;
using kuma::FormatG17;
using kuma::MapForm;

constexpr const char* kVersion = "kumasec-cli 1.3";

constexpr const char* kUsage =
    "Usage: kumasec-cli [--project FILE] [--form FILE] [--set Name=Text]... COMMAND [ARGS]\n"
    "                   [--out PATH]\n"
    "\n"
    "Runs a command of the section analysis on the initial form, changed by the\n"
    "section file of --project (the window's \"保存截面\": form, colours, imported\n"
    "forces), then by the --form FILE (lines Name=Text) and then by each --set.\n"
    "Name is an edit box EditN (the box's text) or a list ComboBoxN (the 0-based\n"
    "position of the entry to select); Edit85..Edit89 are the report's project,\n"
    "column, designer, checker and remarks.\n"
    "\n"
    "Commands:\n"
    "  mesh                 the fibers as CSV\n"
    "  stats                the six section statistics boxes\n"
    "  pm                   the PM curves at 0 and 90 degrees as CSV\n"
    "  mm                   the MM curve as CSV\n"
    "  ranges               the axis ranges of the PM and MM charts\n"
    "  report-pm [--out PATH]  the PM text report (to PATH as GBK, CR LF)\n"
    "  report-mm [--out PATH]  the MM text report\n"
    "  opensees             the OpenSEES fiber-section script\n"
    "  import CSVFILE       import forces; the count and the statistics grid\n"
    "  charts DIR [--forces CSVFILE]\n"
    "                       write pmx.jpg, pmy.jpg, mm.jpg and section.jpg into DIR\n"
    "  save-project PATH    write the section file of the form as given\n"
    "  report-pdf PATH [--forces CSVFILE]\n"
    "                       write the PDF calculation report (with the forces of\n"
    "                       the section file, or those of CSVFILE)\n"
    "\n"
    "Options:\n"
    "  --help               print this help\n"
    "  --version            print the version\n"
    "\n"
    "Exit status: 0 done, 1 the command failed (message on standard error),\n"
    "2 usage error.\n";

// A mistake in the command line or the form file: exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Options {
  bool help = false, version = false;
  std::string formFile, projectFile;
  std::vector<std::string> sets;
  std::string command;
  std::vector<std::string> args;
  bool hasOut = false, hasForces = false;
  std::string out, forces;
};

std::string Trim(const std::string& s) {
  const char* blanks = " \t\r\n";
  std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeOption(const std::string& arg, const char* name, int& i, int argc, char** argv,
                std::string& value) {
  const std::string prefix = std::string(name) + "=";
  if (arg.compare(0, prefix.size(), prefix) == 0) {
    value = arg.substr(prefix.size());
    return true;
  }
  if (arg != name) return false;
  if (i + 1 >= argc) throw UsageError(std::string("option ") + name + " needs a value");
  value = argv[++i];
  return true;
}

Options ParseArguments(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string value;
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (TakeOption(arg, "--form", i, argc, argv, value)) {
      if (!o.formFile.empty()) throw UsageError("option --form given twice");
      o.formFile = value;
    } else if (TakeOption(arg, "--project", i, argc, argv, value)) {
      if (!o.projectFile.empty()) throw UsageError("option --project given twice");
      o.projectFile = value;
    } else if (TakeOption(arg, "--set", i, argc, argv, value)) {
      o.sets.push_back(value);
    } else if (TakeOption(arg, "--out", i, argc, argv, value)) {
      o.hasOut = true;
      o.out = value;
    } else if (TakeOption(arg, "--forces", i, argc, argv, value)) {
      o.hasForces = true;
      o.forces = value;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw UsageError("unknown option '" + arg + "'");
    } else if (o.command.empty()) {
      o.command = arg;
    } else {
      o.args.push_back(arg);
    }
  }
  return o;
}

// Checks the command's arguments and options before anything runs.
void CheckCommand(const Options& o) {
  struct Known {
    const char* name;
    std::size_t args;
  };
  static const Known known[] = {{"mesh", 0},      {"stats", 0},        {"pm", 0},
                                {"mm", 0},        {"ranges", 0},       {"report-pm", 0},
                                {"report-mm", 0}, {"opensees", 0},     {"import", 1},
                                {"charts", 1},    {"save-project", 1}, {"report-pdf", 1}};
  if (o.command.empty()) throw UsageError("no command given");
  const Known* command = nullptr;
  for (const Known& k : known) {
    if (o.command == k.name) command = &k;
  }
  if (command == nullptr) throw UsageError("unknown command '" + o.command + "'");
  if (o.args.size() != command->args) {
    throw UsageError(
        "command '" + o.command + "' takes " +
        (command->args == 0 ? std::string("no arguments") : std::string("one argument")));
  }
  if (o.hasOut && o.command != "report-pm" && o.command != "report-mm") {
    throw UsageError("--out is only for report-pm and report-mm");
  }
  if (o.hasForces && o.command != "charts" && o.command != "report-pdf") {
    throw UsageError("--forces is only for charts and report-pdf");
  }
}

// True for the form's edit boxes ("Edit1", ...) and drop-down lists
// ("ComboBox1", ...); isList tells which.
bool IsSettable(const MapForm& form, const std::string& name, bool& isList) {
  auto numbered = [&name](const char* prefix) {
    const std::string p = prefix;
    if (name.compare(0, p.size(), p) != 0 || name.size() == p.size()) return false;
    const std::string digits = name.substr(p.size());
    return digits.size() <= 3 && digits[0] != '0' &&
           digits.find_first_not_of("0123456789") == std::string::npos;
  };
  isList = numbered("ComboBox") && form.ListSize(name) >= 0;
  return (isList || numbered("Edit")) && form.HasControl(name);
}

void ApplyValue(MapForm& form, const std::string& line, const std::string& where) {
  const std::size_t eq = line.find('=');
  if (eq == std::string::npos) throw UsageError(where + "expected Name=Text, got '" + line + "'");
  const std::string name = Trim(line.substr(0, eq));
  const std::string text = Trim(line.substr(eq + 1));
  bool isList = false;
  if (!IsSettable(form, name, isList)) throw UsageError(where + "unknown field '" + name + "'");
  if (!isList) {
    form.SetText(name, text);
    return;
  }
  int position = -1;
  try {
    position = kuma::StrToInt(text);
  } catch (const kuma::Error&) {
    position = -1;
  }
  if (position < 0 || position >= form.ListSize(name)) {
    throw UsageError(where + "no entry at position '" + text + "' in " + name + " (0.." +
                     std::to_string(form.ListSize(name) - 1) + ")");
  }
  form.SetItemIndex(name, position);
}

void ApplyFormFile(MapForm& form, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UsageError("cannot read form file '" + path + "'");
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    const std::string content = Trim(line);
    if (content.empty() || content[0] == '#') continue;
    ApplyValue(form, content, path + ":" + std::to_string(number) + ": ");
  }
}

// The section file first, then the form file, then each --set. What the
// section file does not know is ignored with a warning on standard error.
void PrepareForm(const Options& o, MapForm& form, AppState& state) {
  if (!o.projectFile.empty()) {
    const kuma::SectionFile file = kuma::ReadSectionFile(o.projectFile);
    for (const std::string& warning : file.warnings) {
      std::fprintf(stderr, "kumasec-cli: %s: %s\n", o.projectFile.c_str(), warning.c_str());
    }
    kuma::ApplySectionFile(file, form, state);
  }
  if (!o.formFile.empty()) ApplyFormFile(form, o.formFile);
  for (const std::string& set : o.sets) ApplyValue(form, set, "--set: ");
}

void PrintLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) PrintLine(line);
}

std::string JoinG17(std::initializer_list<double> values) {
  std::string text;
  for (double v : values) {
    if (!text.empty()) text += ',';
    text += FormatG17(v);
  }
  return text;
}

void PrintFibers(const AppState& state) {
  PrintLine("i,material,x,y,area,d,x1,y1,x2,y2,x3,y3,x4,y4");
  int i = 0;
  for (const kuma::FiberRecord& f : state.fibers) {
    PrintLine(std::to_string(++i) + "," + std::to_string(f.material) + "," +
              JoinG17({f.x, f.y, f.area, f.d, f.x1, f.y1, f.x2, f.y2, f.x3, f.y3, f.x4, f.y4}));
  }
}

void PrintStatistics(const MapForm& form) {
  for (const char* box : {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"}) {
    PrintLine(std::string(box) + "=" + form.Text(box));
  }
}

void PrintPmCurves(const AppState& state) {
  PrintLine("i,Px,Mx,Py,My");
  const kuma::PmCurve& cx = state.PmCurveX;
  const kuma::PmCurve& cy = state.PmCurveY;
  const std::size_t points = std::min({cx.P.size(), cx.M.size(), cy.P.size(), cy.M.size()});
  for (std::size_t i = 0; i < points; ++i) {
    PrintLine(std::to_string(i) + "," + JoinG17({cx.P[i], cx.M[i], cy.P[i], cy.M[i]}));
  }
}

void PrintMmCurve(const AppState& state) {
  PrintLine("i,Mx,My");
  const kuma::MmCurve& c = state.mmCurve;
  const std::size_t points = std::min(c.Mx.size(), c.My.size());
  for (std::size_t i = 0; i < points; ++i) {
    PrintLine(std::to_string(i) + "," + JoinG17({c.Mx[i], c.My[i]}));
  }
}

std::string RangeText(const kuma::ChartRange& r) {
  return JoinG17({r.hMax, r.hMin, r.vMax, r.vMin});
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void PrintForceStatistics(const MapForm& form) {
  PrintLine(form.Text("Label66"));
  for (int row = 0; row <= 4; ++row) {
    std::string line;
    for (int col = 0; col <= 3; ++col) {
      if (col > 0) line += ',';
      line += CsvField(form.GridCell("StringGrid2", col, row));
    }
    PrintLine(line);
  }
}

// The PM and MM charts (and the section picture the PM command draws), with
// the imported forces over them when asked, written as JPEG files.
int RunCharts(const Options& o, int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  kuma::PictureForm form;
  AppState state;
  PrepareForm(o, form, state);
  kuma::PmCommand(state, form);
  kuma::MmCommand(state, form);
  if (o.hasForces) {
    kuma::ImportCommand(state, form, o.forces);
    kuma::PmForcePointsCommand(state, form);
    kuma::MmForcePointsCommand(state, form);
  }
  const std::filesystem::path dir = o.args[0];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  const std::pair<const char*, const char*> files[] = {{"Image2", "pmx.jpg"},
                                                       {"Image3", "pmy.jpg"},
                                                       {"Image5", "mm.jpg"},
                                                       {"Image1", "section.jpg"}};
  for (const auto& [picture, file] : files) form.SavePicture(picture, (dir / file).string());
  return 0;
}

// Today's date as the title block shows it.
std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

// The calculation report: the forces of CSVFILE when given (else those of
// the section file), the section, PM and MM commands, then the PDF.
void RunPdfReport(const Options& o, MapForm& form, AppState& state) {
  if (o.hasForces) kuma::ImportCommand(state, form, o.forces);
  kuma::PrepareReportCommand(state, form);
  kuma::WritePdfReport(o.args[0], kuma::BuildCalcReport(state, form, Today()));
}

int RunCommand(const Options& o, MapForm& form, AppState& state) {
  const std::string& c = o.command;
  if (c == "mesh") {
    kuma::MeshCommand(state, form);
    PrintFibers(state);
  } else if (c == "stats") {
    kuma::SectionInputCommand(state, form);
    PrintStatistics(form);
  } else if (c == "pm") {
    kuma::PmCommand(state, form);
    PrintPmCurves(state);
  } else if (c == "mm") {
    kuma::MmCommand(state, form);
    PrintMmCurve(state);
  } else if (c == "ranges") {
    kuma::PmCommand(state, form);
    kuma::MmCommand(state, form);
    PrintLine("PmChartRange0=" + RangeText(state.PmChartRange[0]));
    PrintLine("PmChartRange90=" + RangeText(state.PmChartRange[1]));
    PrintLine("MmChartRange=" + RangeText(state.MmChartRange));
  } else if (c == "report-pm" || c == "report-mm") {
    std::vector<std::string> lines;
    if (c == "report-pm") {
      kuma::PmCommand(state, form);
      lines = kuma::PmReportCommand(state);
    } else {
      kuma::MmCommand(state, form);
      lines = kuma::MmReportCommand(state);
    }
    if (o.hasOut) {
      kuma::SaveTextLines(o.out, lines);
    } else {
      PrintLines(lines);
    }
  } else if (c == "opensees") {
    kuma::ScriptCommand(state, form);
    PrintLines(form.MemoLines("Memo1"));
  } else if (c == "import") {
    kuma::ImportCommand(state, form, o.args[0]);
    PrintForceStatistics(form);
  } else if (c == "save-project") {
    kuma::SaveSectionFile(o.args[0], form, state);
  } else if (c == "report-pdf") {
    RunPdfReport(o, form, state);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options o = ParseArguments(argc, argv);
    if (o.help) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (o.version) {
      PrintLine(kVersion);
      return 0;
    }
    CheckCommand(o);
    if (o.command == "charts") return RunCharts(o, argc, argv);
    MapForm form;
    AppState state;
    PrepareForm(o, form, state);
    return RunCommand(o, form, state);
  } catch (const UsageError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "kumasec-cli: %s\nTry 'kumasec-cli --help'.\n", e.what());
    return 2;
  } catch (const kuma::Error& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
