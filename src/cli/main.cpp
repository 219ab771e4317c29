// kumasec-cli: runs the program's commands without a window, on a form held
// in memory, and prints what the window would show.

#include <QGuiApplication>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/design_check.h"
#include "app/building_commands.h"
#include "app/code_check_commands.h"
#include "app/commands.h"
#include "app/law_commands.h"
#include "app/library_commands.h"
#include "app/mphi_commands.h"
#include "app/opensees_commands.h"
#include "app/pmm_commands.h"
#include "app/section_commands.h"
#include "app/workbook_commands.h"
#include "cli/form_reader.h"
#include "cli/output.h"
#include "cli/picture_form.h"
#include "cli/progress_line.h"
#include "forces/etabs_tables.h"
#include "mesh/mesh.h"
#include "model/atomic_file.h"
#include "model/controls/import_page.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/pmm_page.h"
#include "model/controls/script_page.h"
#include "model/controls/section_page.h"
#include "model/controls/windows.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/materials.h"
#include "model/numfmt.h"
#include "model/section_file.h"
#include "model/section_input.h"
#include "model/section_library.h"
#include "model/state.h"
#include "model/text_table.h"
#include "report/building_report.h"
#include "report/calc_report.h"
#include "report/pdf/pdf_report.h"
#include "report/reports.h"

namespace {

using kuma::AppState;
using kuma::FormatG17;
using kuma::MapForm;
using kuma::UsageError;

constexpr const char* kVersion = "kumasec-cli 1.3";

constexpr const char* kUsage =
    "Usage: kumasec-cli [--project FILE] [--form FILE] [--set Name=Text]... COMMAND [ARGS]\n"
    "                   [--out PATH]\n"
    "\n"
    "Runs a command of the section analysis on the initial form, changed by the\n"
    "section file of --project (the window's \"保存截面\": form, colours, imported\n"
    "forces), then by the --form FILE (lines Name=Text) and then by each --set.\n"
    "Name is an edit box EditN (the box's text) or a list ComboBoxN (the 0-based\n"
    "position or the text of the entry to select; a material grade ComboBox21..25\n"
    "or the level ComboBox26 fills the material boxes, a box typed afterwards turns\n"
    "its group back to \"自定义\"); Edit85..Edit89 are the report's project,\n"
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
    "  opensees-model [--py] [--out PATH]\n"
    "                       the complete OpenSEES model (Tcl, or OpenSeesPy with --py;\n"
    "                       to PATH as UTF-8, LF); ComboBox19..20, Edit90..92 set it up,\n"
    "                       ComboBox44 push target (0 capacity state, 1 concrete\n"
    "                       crushing), ComboBox45 path (0 constant axial force,\n"
    "                       1 proportional), ComboBox46 (1: no wipe, to source it into\n"
    "                       an existing model), Edit160..Edit167 the tags of the\n"
    "                       section, base and push nodes, element, axial series and\n"
    "                       pattern, push series and pattern, Edit168..Edit169 the\n"
    "                       rebar and steel laws' inner materials (blank: automatic)\n"
    "  import CSVFILE       import forces; the count line, then the statistics grid\n"
    "                       as CSV (Case,P,Mx,My,label)\n"
    "  charts DIR [--forces CSVFILE]\n"
    "                       write pmx.jpg, pmy.jpg, mm.jpg, section.jpg and pmm.jpg\n"
    "                       (the 3-D surface, view from Edit81..Edit83) into DIR\n"
    "  surface              the P-Mx-My capacity surface as CSV (angle,P,Mx,My)\n"
    "  check CSVFILE        import forces and check them: row,label,P,Mx,My,ratio\n"
    "  report-check CSVFILE [--out PATH]\n"
    "                       the check report (to PATH as GBK, CR LF)\n"
    "  save-project PATH    write the section file of the form as given\n"
    "  laws [--strains S1,S2,...]\n"
    "                       the stress-strain laws of the five material groups as CSV\n"
    "                       (group,strain,stress; group = material code 0, 1, 2, 11, 12)\n"
    "                       at the given strains, else at the curve pictures' samples\n"
    "  report-pdf PATH [--forces CSVFILE] [--building FORCES [--assign FILE]]\n"
    "                       write the PDF calculation report (with the forces of\n"
    "                       the section file, or those of CSVFILE); --building adds\n"
    "                       the building chapter: every column of FORCES checked\n"
    "                       against its section of the --project library\n"
    "  mphi                 the moment-curvature curve as CSV\n"
    "                       (curvature,M,Mother,P,depth,eps_c,eps_s in 1/m, kN*m,\n"
    "                       kN*m, kN, mm, strains), a blank line, then point rows\n"
    "                       yield, peak, ultimate, bilinear_yield and ductility\n"
    "  report-mphi [--out PATH]\n"
    "                       the moment-curvature text report (to PATH as GBK, CR LF)\n"
    "  library-add PROJECT NAME\n"
    "                       write the form as section NAME into the section file\n"
    "                       PROJECT (created if missing, NAME replaced if present)\n"
    "  library PROJECT      the sections of PROJECT: name,kind,B,H,fibers,steel_ratio\n"
    "  library-import PROJECT FILE [--sheet NAME] [--clash replace|keep|rename]\n"
    "                       read the ETABS section definitions of FILE (CSV or a\n"
    "                       workbook .xlsx; --sheet: that sheet alone) into the library\n"
    "                       of PROJECT (created if missing) as the window's\n"
    "                       \"导入ETABS截面定义\"; prints one CSV line per section read:\n"
    "                       name,kind,size,bars (or 未配筋: no reinforcement in the\n"
    "                       file, not checked until given bars),grade (or the ETABS\n"
    "                       material no grade stands for); sections of names the\n"
    "                       library holds replace them (default), are dropped (keep)\n"
    "                       or are added under a new name (rename); standard error\n"
    "                       says which, with the notes\n"
    "  building PROJECT FORCES [--assign FILE] [--out PATH]\n"
    "                       check every column of the force table against its own\n"
    "                       section of PROJECT's library: story,column,section,\n"
    "                       combinations,max_ratio,governing,verdict (1 满足, 0 不满足)\n"
    "                       (+ section2,max_ratio2 with a second section);\n"
    "                       --out PATH.xlsx writes the table as a workbook\n"
    "                       with the code check on (ComboBox47=1) also\n"
    "                       max_ratio_code,governing_code,clause after verdict, then\n"
    "                       axial_ratio,axial_ratio_limit,rho,rho_min,rho_max,rho_v,\n"
    "                       rho_v_required,ratio_shear,verdict_all (rho.. in %)\n"
    "  report-building PROJECT FORCES [--assign FILE] [--out PATH]\n"
    "                       the building check report (to PATH as GBK, CR LF)\n"
    "  code-check FORCES [--out PATH]\n"
    "                       the code check of the imported forces, whatever ComboBox47\n"
    "                       says: row,label,P,Mx,My,seismic,gamma_re,ea_x,ea_y,cm_eta_x,\n"
    "                       cm_eta_y,Mx_d,My_d,ratio_section,ratio_axial,ratio_code,\n"
    "                       verdict (1 满足, 0 不满足),V2,V3,lambda,ratio_shear_x,\n"
    "                       ratio_shear_y (blank without shear forces)\n"
    "  report-code-check FORCES [--out PATH]\n"
    "                       the code check report with the calculation sheet of the\n"
    "                       governing row (to PATH as GBK, CR LF)\n"
    "  --assign FILE        the assignments: CSV story,column,section[,section2]\n"
    "                       (names or *, the first matching rule wins) or the ETABS\n"
    "                       table \"Frame Assignments - Section Properties\"\n"
    "                       (CSV or a workbook .xlsx holding that table)\n"
    "\n"
    "Capacity surface and check settings:\n"
    "  Edit70               neutral-axis angles around the full circle (144)\n"
    "  Edit71               points per angle, both ends included (96)\n"
    "  Edit32               ultimate concrete strain, as for the PM curves (-0.0035)\n"
    "  ComboBox8            check method: 0 radial (P, Mx, My in proportion),\n"
    "                       1 at constant axial force\n"
    "\n"
    "Code check settings (page 规范验算; check, building, code-check):\n"
    "  ComboBox47           0 off, 1 on: check and building add the code columns\n"
    "  ComboBox48           seismic grade: 0 特一级, 1 一级, 2 二级, 3 三级, 4 四级,\n"
    "                       5 非抗震\n"
    "  ComboBox49           structural system: 0 框架, 1 框架-剪力墙, 2 板柱-剪力墙,\n"
    "                       3 框架-核心筒, 4 筒中筒, 5 部分框支剪力墙\n"
    "  ComboBox50           column position: 0 中柱/边柱, 1 角柱, 2 框支柱 (a library\n"
    "                       section keeps its own)\n"
    "  ComboBox51           floors: 0 cast in place, 1 precast (l0 by GB 50010 6.2.20)\n"
    "  ComboBox52           shear-span ratio: 0 M/(V h0), 1 Hn/(2 h0)\n"
    "  ComboBox53, ComboBox54  raise the axial-ratio limit for hoops, for a core (0/1)\n"
    "  Edit170              column length H, m (blank: the stations of the table)\n"
    "  Edit171              l0/H (blank: by the floors and the story)\n"
    "  Edit172              seismic load cases, separated by commas (blank: guessed)\n"
    "  Edit173              axial-ratio limit (blank: by the code)\n"
    "  ComboBox55           stirrup grade: 0 HRB400, 1 HPB300, 2 HRB500\n"
    "  ComboBox56           circles: 0 spiral, 1 hoops\n"
    "  Edit190..Edit194     stirrup diameter, spacing dense / elsewhere (mm), legs\n"
    "                       along X and along Y\n"
    "\n"
    "Moment-curvature settings (mphi, report-mphi):\n"
    "  Edit140              axial level, kN, compression positive (blank: Edit30,\n"
    "                       the MM page's level)\n"
    "  ComboBox34           neutral-axis angle: 0 at 0 degrees (bending about X),\n"
    "                       1 at 90 degrees (about Y), 2 the angle of Edit141\n"
    "  Edit141              the typed neutral-axis angle, degrees (45)\n"
    "  Edit142              curvature steps up to the ultimate state (100)\n"
    "  Edit143              ultimate strain of law-1 concrete (-0.0035)\n"
    "  Edit144              the curve ends when the moment falls below this share\n"
    "                       of its peak, % (80)\n"
    "\n"
    "Force import settings (also read by charts --forces):\n"
    "  Edit54..Edit56       field numbers of P, Mx, My in a file read by numbers\n"
    "  Edit57..Edit59       plotting factors of P, Mx, My\n"
    "  ComboBox10           reading: 0 automatic (by names after a 'TABLE:' title\n"
    "                       line, else by numbers), 1 by field numbers, 2 by names\n"
    "  ComboBox11           cases of an ETABS table: 0 combinations only, 1 all\n"
    "                       (modal rows are always left out)\n"
    "  ComboBox12           moments: 0 Mx = M3, My = M2; 1 Mx = M2, My = M3\n"
    "  Edit75, Edit76       stories, columns to keep, separated by commas (empty: all)\n"
    "  ComboBox30, ComboBox31  force and length units of an ETABS table without a units\n"
    "                       line: 0 kN, 1 N, 2 kgf, 3 tonf, 4 kip, 5 lb; 0 m, 1 mm,\n"
    "                       2 cm, 3 in, 4 ft (kN and m)\n"
    "\n"
    "Workbooks (.xlsx), read wherever a force file is named:\n"
    "  --sheet NAME         the sheet to read (its tab name or its TABLE: title);\n"
    "                       without it, the sheet titled 'Element Forces - Columns',\n"
    "                       else the one sheet with the fields P, M2 and M3\n"
    "  --out PATH.xlsx      on import and check: write the statistics or the check\n"
    "                       table as a workbook instead of printing CSV\n"
    "Chart axes (ranges, charts):\n"
    "  ComboBox32           PM charts: 0 whole thousands, 1 automatic (1-2-5 ticks\n"
    "                       holding every point, zero on a tick)\n"
    "  ComboBox33           MM chart: the same, 1 also at one scale on both axes\n"
    "\n"
    "Options:\n"
    "  --help               print this help\n"
    "  --version            print the version\n"
    "\n"
    "Exit status: 0 done, 1 the command failed (message on standard error),\n"
    "2 usage error.\n";

struct Options {
  bool help = false, version = false;
  bool hasForm = false;
  std::string formFile;
  bool hasProject = false;
  std::string projectFile;
  std::vector<std::string> sets;
  std::string command;
  std::vector<std::string> args;
  bool hasOut = false, hasForces = false, hasSheet = false, hasAssign = false;
  std::string assign;
  bool python = false;  // --py
  std::string out, forces, sheet;
  bool hasBuilding = false;
  std::string building;  // report-pdf --building FORCES
  bool hasStrains = false;
  std::string strains;  // --strains S1,S2,...
  bool hasClash = false;
  std::string clash;  // library-import --clash replace|keep|rename
};

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

// An option that names a file or folder takes it once, and not empty.
void TakeOnce(const char* name, const std::string& value, bool& given, std::string& target) {
  if (given) throw UsageError(std::string("option ") + name + " given twice");
  if (value.empty()) throw UsageError(std::string("option ") + name + " needs a file name");
  given = true;
  target = value;
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
      TakeOnce("--form", value, o.hasForm, o.formFile);
    } else if (TakeOption(arg, "--project", i, argc, argv, value)) {
      TakeOnce("--project", value, o.hasProject, o.projectFile);
    } else if (TakeOption(arg, "--set", i, argc, argv, value)) {
      o.sets.push_back(value);
    } else if (TakeOption(arg, "--out", i, argc, argv, value)) {
      TakeOnce("--out", value, o.hasOut, o.out);
    } else if (TakeOption(arg, "--forces", i, argc, argv, value)) {
      TakeOnce("--forces", value, o.hasForces, o.forces);
    } else if (TakeOption(arg, "--sheet", i, argc, argv, value)) {
      TakeOnce("--sheet", value, o.hasSheet, o.sheet);
    } else if (TakeOption(arg, "--building", i, argc, argv, value)) {
      TakeOnce("--building", value, o.hasBuilding, o.building);
    } else if (TakeOption(arg, "--assign", i, argc, argv, value)) {
      TakeOnce("--assign", value, o.hasAssign, o.assign);
    } else if (TakeOption(arg, "--strains", i, argc, argv, value)) {
      TakeOnce("--strains", value, o.hasStrains, o.strains);
    } else if (TakeOption(arg, "--clash", i, argc, argv, value)) {
      TakeOnce("--clash", value, o.hasClash, o.clash);
    } else if (arg == "--py") {
      o.python = true;
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

bool IsBuilding(const std::string& command) {
  return command == "building" || command == "report-building";
}

bool IsCodeCheck(const std::string& command) {
  return command == "code-check" || command == "report-code-check";
}

// Checks the command's arguments and options before anything runs.
void CheckCommand(const Options& o) {
  struct Known {
    const char* name;
    std::size_t args;
  };
  static const Known known[] = {{"mesh", 0},         {"stats", 0},
                                {"pm", 0},           {"mm", 0},
                                {"ranges", 0},       {"report-pm", 0},
                                {"report-mm", 0},    {"opensees", 0},
                                {"import", 1},       {"charts", 1},
                                {"surface", 0},      {"check", 1},
                                {"report-check", 1}, {"opensees-model", 0},
                                {"save-project", 1}, {"report-pdf", 1},
                                {"mphi", 0},         {"report-mphi", 0},
                                {"library-add", 2},  {"library", 1},
                                {"building", 2},     {"report-building", 2},
                                {"laws", 0},         {"library-import", 2},
                                {"code-check", 1},   {"report-code-check", 1}};
  if (o.command.empty()) throw UsageError("no command given");
  const Known* command = nullptr;
  for (const Known& k : known) {
    if (o.command == k.name) command = &k;
  }
  if (command == nullptr) throw UsageError("unknown command '" + o.command + "'");
  if (o.args.size() != command->args) {
    throw UsageError(
        "command '" + o.command + "' takes " +
        (command->args == 0   ? std::string("no arguments")
         : command->args == 1 ? std::string("one argument")
                              : std::to_string(command->args) + " arguments"));
  }
  const bool workbookOut = o.command == "import" || o.command == "check";
  if (o.hasOut && !workbookOut && o.command != "report-pm" && o.command != "report-mm" &&
      o.command != "report-check" && o.command != "opensees-model" && o.command != "report-mphi" &&
      !IsBuilding(o.command) && !IsCodeCheck(o.command)) {
    throw UsageError(
        "--out is only for report-pm, report-mm, report-check, report-mphi, opensees-model, "
        "import, check, code-check, report-code-check, building and report-building");
  }
  if (o.hasOut && workbookOut && !kuma::HasWorkbookSuffix(o.out)) {
    throw UsageError("--out on " + o.command + " writes a workbook: the name must end in .xlsx");
  }
  if (o.hasBuilding && o.command != "report-pdf") {
    throw UsageError("--building is only for report-pdf");
  }
  if (o.hasAssign && !IsBuilding(o.command) && !o.hasBuilding) {
    throw UsageError("--assign is only for building, report-building and report-pdf --building");
  }
  if (o.hasSheet && o.command != "import" && o.command != "check" && o.command != "report-check" &&
      !IsBuilding(o.command) && !IsCodeCheck(o.command) && !o.hasForces && !o.hasBuilding &&
      o.command != "library-import") {
    throw UsageError(
        "--sheet is only for a force file (import, check, report-check, code-check, "
        "report-code-check, building, report-building, --forces, --building) and for "
        "library-import");
  }
  if (o.hasStrains && o.command != "laws") throw UsageError("--strains is only for laws");
  if (o.hasClash && o.command != "library-import")
    throw UsageError("--clash is only for library-import");
  if (o.hasClash && o.clash != "replace" && o.clash != "keep" && o.clash != "rename")
    throw UsageError("--clash takes replace, keep or rename");
  if (o.python && o.command != "opensees-model") {
    throw UsageError("--py is only for opensees-model");
  }
  if (o.hasForces && o.command != "charts" && o.command != "report-pdf") {
    throw UsageError("--forces is only for charts and report-pdf");
  }
  for (const std::string& arg : o.args) {
    if (arg.empty()) throw UsageError("command '" + o.command + "' needs a file or folder name");
  }
}

void PrintLine(const std::string& line) { kuma::WriteOutputLine(line); }

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
  for (const char* box :
       {kuma::ctl::kGrossAreaBox, kuma::ctl::kConcreteAreaBox, kuma::ctl::kBarAreaBox,
        kuma::ctl::kSteelAreaBox, kuma::ctl::kBarRatioBox, kuma::ctl::kSteelRatioBox}) {
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

void PrintForceStatistics(const MapForm& form) {
  PrintLine(form.Text(kuma::ctl::kForceCountLabel));
  for (int row = 0; row <= 4; ++row) {
    std::string line;
    for (int col = 0; col <= 4; ++col) {
      if (col > 0) line += ',';
      line += kuma::CsvField(form.GridCell(kuma::ctl::kForceStatisticsGrid, col, row));
    }
    PrintLine(line);
  }
}

// Applies the form file and then each --set.
void ApplyFormInput(const Options& o, MapForm& form) {
  if (o.hasForm) kuma::ApplyFormFile(form, o.formFile);
  for (const std::string& set : o.sets) kuma::ApplyFormValue(form, set, "--set: ");
}

// The section file first, then the form file, then each --set. What the
// section file does not know is ignored with a warning on standard error.
// The building check reads the form of its PROJECT when no --project is
// given: its import settings and check method.
void PrepareForm(const Options& o, MapForm& form, AppState& state) {
  const bool buildingProject = !o.hasProject && IsBuilding(o.command);
  if (o.hasProject || buildingProject) {
    const std::string& path = o.hasProject ? o.projectFile : o.args[0];
    const kuma::SectionFile file = kuma::ReadSectionFile(path);
    for (const std::string& warning : file.warnings) {
      std::fprintf(stderr, "kumasec-cli: %s: %s\n", path.c_str(), warning.c_str());
    }
    kuma::ApplySectionFile(file, form, state);
  }
  ApplyFormInput(o, form);
}

// Creates the folder (and its parents) if needed; says why it cannot.
void CreateFolder(const std::filesystem::path& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!error && std::filesystem::is_directory(dir, error)) return;
  if (!error) error = std::make_error_code(std::errc::not_a_directory);
  throw kuma::Error("Cannot create folder \"" + dir.string() + "\". " + error.message());
}

// Qt's warnings about its runtime folder concern a desktop session; the
// command line does not use that folder, so they are left out of standard
// error. Every other message goes through as Qt would print it.
void DropSessionWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("QStandardPaths: "))) return;
  const QByteArray line = qFormatLogMessage(type, context, text).toLocal8Bit();
  std::fprintf(stderr, "%s\n", line.constData());
}

void PrintSurface(const AppState& state) {
  PrintLine("angle,P,Mx,My");
  const kuma::CapacitySurface& surface = state.surface;
  for (std::size_t i = 0; i < surface.meridian.size(); ++i) {
    const std::string angle = FormatG17(surface.angle[i]) + ",";
    for (const kuma::SurfacePoint& p : surface.meridian[i])
      PrintLine(angle + JoinG17({p.P, p.Mx, p.My}));
  }
}

void PrintCheck(const AppState& state) {
  PrintLine("row,label,P,Mx,My,ratio");
  const kuma::DesignCheck& check = state.check;
  for (std::size_t r = 1; r < check.ratio.size(); ++r) {
    const kuma::SurfacePoint& d = check.demand[r];
    PrintLine(std::to_string(r) + "," +
              kuma::CsvField(kuma::CombinationLabel(state.forceTable, static_cast<int>(r))) + "," +
              JoinG17({d.P, d.Mx, d.My, check.ratio[r]}));
  }
}

// The PM and MM charts (and the section picture the PM command draws), with
// the imported forces over them when asked, written as JPEG files. All four
// pictures are drawn and encoded before any file is touched, and written as
// one save: a failure leaves the folder's old pictures as they were.
// The force import of a file, from the sheet of --sheet when given.
void ImportForceFile(const Options& o, MapForm& form, AppState& state, const std::string& path) {
  if (o.hasSheet) {
    kuma::ImportWorkbookCommand(state, form, path, o.sheet);
  } else {
    kuma::ImportCommand(state, form, path);
  }
}

int RunCharts(const Options& o, int argc, char** argv, kuma::ProgressLine& line) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  kuma::ProgressForm<kuma::PictureForm> form(line);
  AppState state;
  PrepareForm(o, form, state);
  kuma::PmCommand(state, form);
  kuma::MmCommand(state, form);
  if (o.hasForces) {
    ImportForceFile(o, form, state, o.forces);
    kuma::PmForcePointsCommand(state, form);
    kuma::MmForcePointsCommand(state, form);
  }
  kuma::PmmCommand(state, form);
  const std::filesystem::path dir = o.args[0];
  const std::pair<const char*, const char*> pictures[] = {
      {kuma::ctl::kPmxPicture, "pmx.jpg"},
      {kuma::ctl::kPmyPicture, "pmy.jpg"},
      {kuma::ctl::kMmPicture, "mm.jpg"},
      {kuma::ctl::kSectionPicture, "section.jpg"},
      {kuma::ctl::kSurfacePicture, "pmm.jpg"}};
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& [picture, file] : pictures) {
    std::string path = (dir / file).string(), bytes;
    if (form.EncodePicture(picture, path, bytes)) files.emplace_back(path, std::move(bytes));
  }
  line.Clear();
  CreateFolder(dir);
  kuma::WriteFilesAtomic(files);
  return 0;
}

void PrintLibrary(const std::string& project) {
  const kuma::SectionFile file = kuma::ReadSectionFile(project);
  PrintLine("name,kind,B,H,fibers,steel_ratio");
  for (const kuma::LibrarySection& section : file.library.sections) {
    const kuma::SectionSummary s = kuma::SummariseSection(section);
    if (!s.error.empty())
      std::fprintf(stderr, "kumasec-cli: %s: %s\n", s.name.c_str(), s.error.c_str());
    PrintLine(kuma::CsvField(s.name) + "," + kuma::CsvField(s.kind) + "," + JoinG17({s.B, s.H}) +
              "," + std::to_string(s.fibers) + "," + FormatG17(s.steelRatio));
  }
}

// The library of a building check, with the rules of --assign when given.
// The section the form edits is checked as the form holds it now (after
// --form and --set), as the window checks it, when the form is the
// library's own: that of PROJECT, not of another --project.
kuma::SectionLibrary BuildingLibraryOf(const Options& o, const MapForm& form,
                                       const AppState& state) {
  const bool formOfLibrary =
      o.command == "report-pdf" || !o.hasProject || o.projectFile == o.args[0];
  kuma::SectionLibrary library = formOfLibrary ? kuma::BuildingLibrary(state.library, form)
                                               : kuma::ReadSectionFile(o.args[0]).library;
  if (o.hasAssign) library.rules = kuma::ReadAssignmentFile(o.assign);
  return library;
}

// The force import, the assignments (of --assign, else those of PROJECT)
// and every column's check; the table or the report.
void RunBuilding(const Options& o, MapForm& form, AppState& state) {
  const kuma::SectionLibrary library = BuildingLibraryOf(o, form, state);
  state.forceTable = kuma::ImportBuildingForces(form, o.args[1], o.hasSheet ? o.sheet : "");
  const kuma::BuildingCheck check =
      kuma::RunBuildingCheck(library, state.forceTable, kuma::ReadCheckMethod(form), {}, {}, 0,
                             kuma::CodeSettingsIfOn(form));
  if (check.uncheckedColumns > 0) {
    std::fflush(stdout);
    std::fprintf(stderr, "kumasec-cli: %s\n",
                 kuma::BuildingSummary(check, state.forceTable).c_str());
  }
  if (o.command == "report-building") {
    const std::vector<std::string> lines = kuma::BuildingReport(check, state.forceTable);
    if (o.hasOut) {
      kuma::SaveTextLines(o.out, lines);
    } else {
      PrintLines(lines);
    }
    return;
  }
  if (o.hasOut && kuma::HasWorkbookSuffix(o.out)) {
    kuma::ExportBuildingWorkbookCommand(check, state.forceTable, o.out);
    return;
  }
  const std::vector<std::string> lines = kuma::BuildingCsv(check, state.forceTable);
  if (o.hasOut) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    kuma::WriteFileAtomic(o.out, text);
  } else {
    PrintLines(lines);
  }
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
  if (o.hasForces) ImportForceFile(o, form, state, o.forces);
  // The building's forces are kept apart, so that the section's chapters
  // keep the section's own forces and captions.
  kuma::ForceTable buildingForces;
  kuma::BuildingCheck check;
  kuma::SectionLibrary library;
  if (o.hasBuilding) {
    library = BuildingLibraryOf(o, form, state);
    buildingForces = kuma::ImportBuildingForces(form, o.building, o.hasSheet ? o.sheet : "");
    check = kuma::RunBuildingCheck(library, buildingForces, kuma::ReadCheckMethod(form), {}, {}, 0,
                                   kuma::CodeSettingsIfOn(form));
  }
  kuma::WritePdfReport(o.args[0],
                       kuma::CalcReportCommand(state, form, Today(), check, buildingForces, library));
}

// The strains of --strains S1,S2,...
std::vector<double> StrainList(const Options& o) {
  std::vector<double> strains;
  if (!o.hasStrains) return strains;
  std::size_t start = 0;
  while (start <= o.strains.size()) {
    const std::size_t comma = std::min(o.strains.find(',', start), o.strains.size());
    const std::string item = o.strains.substr(start, comma - start);
    try {
      strains.push_back(kuma::StrToFloat(item));
    } catch (const kuma::Error&) {
      throw UsageError("--strains: '" + item + "' is not a number");
    }
    start = comma + 1;
  }
  return strains;
}

// A report's lines to --out (GBK, CR LF) or to standard output.
void PrintOrSave(const Options& o, const std::vector<std::string>& lines) {
  if (o.hasOut) {
    kuma::SaveTextLines(o.out, lines);
  } else {
    PrintLines(lines);
  }
}

void RunMesh(const Options&, MapForm& form, AppState& state) {
  kuma::MeshCommand(state, form);
  PrintFibers(state);
}

void RunLaws(const Options& o, MapForm& form, AppState& state) {
  PrintLines(kuma::LawTableCommand(state, form, StrainList(o)));
}

void RunStats(const Options&, MapForm& form, AppState& state) {
  kuma::SectionInputCommand(state, form);
  PrintStatistics(form);
}

void RunPm(const Options&, MapForm& form, AppState& state) {
  kuma::PmCommand(state, form);
  PrintPmCurves(state);
}

void RunMm(const Options&, MapForm& form, AppState& state) {
  kuma::MmCommand(state, form);
  PrintMmCurve(state);
}

void RunRanges(const Options&, MapForm& form, AppState& state) {
  kuma::PmCommand(state, form);
  kuma::MmCommand(state, form);
  PrintLine("PmChartRange0=" + RangeText(state.PmChartRange[0]));
  PrintLine("PmChartRange90=" + RangeText(state.PmChartRange[1]));
  PrintLine("MmChartRange=" + RangeText(state.MmChartRange));
}

void RunReportPm(const Options& o, MapForm& form, AppState& state) {
  kuma::PmCommand(state, form);
  PrintOrSave(o, kuma::PmReportCommand(state));
}

void RunReportMm(const Options& o, MapForm& form, AppState& state) {
  kuma::MmCommand(state, form);
  PrintOrSave(o, kuma::MmReportCommand(state));
}

void RunOpenSees(const Options&, MapForm& form, AppState& state) {
  kuma::ScriptCommand(state, form);
  const std::string warning = kuma::FiberLimitWarning(state.fibers.size());
  if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
  PrintLines(form.MemoLines(kuma::ctl::kResultMemo));
}

void RunOpenSeesModel(const Options& o, MapForm& form, AppState& state) {
  const bool python = o.python || form.ItemIndex(kuma::ctl::kScriptLanguageList) == 1;
  const kuma::OpenSeesModel model = kuma::OpenSeesModelCommand(
      state, form, python ? kuma::OpenSeesLanguage::Python : kuma::OpenSeesLanguage::Tcl);
  if (!model.warning.empty()) std::fprintf(stderr, "%s\n", model.warning.c_str());
  if (o.hasOut) {
    kuma::SaveOpenSeesText(o.out, model.lines);
  } else {
    PrintLines(model.lines);
  }
}

void RunImport(const Options& o, MapForm& form, AppState& state) {
  ImportForceFile(o, form, state, o.args[0]);
  if (o.hasOut) {
    kuma::WriteResultWorkbook(o.out, {kuma::StatisticsResultSheet(state.forceTable)});
  } else {
    PrintForceStatistics(form);
  }
}

void RunSurface(const Options&, MapForm& form, AppState& state) {
  kuma::PmCommand(state, form);
  kuma::SurfaceCommand(state, form);
  PrintSurface(state);
}

void RunCheck(const Options& o, MapForm& form, AppState& state) {
  ImportForceFile(o, form, state, o.args[0]);
  kuma::DesignCheckCommand(state, form);
  if (o.hasOut) {
    kuma::WriteResultWorkbook(o.out,
                              {kuma::CheckResultSheet(state, kuma::CheckSheetOrder::TableOrder)});
  } else {
    PrintCheck(state);
  }
}

void RunReportCheck(const Options& o, MapForm& form, AppState& state) {
  ImportForceFile(o, form, state, o.args[0]);
  kuma::DesignCheckCommand(state, form);
  PrintOrSave(o, kuma::CheckReportCommand(state));
}

// The code check of FORCES whatever ComboBox47 says: its CSV (to --out as
// UTF-8, LF), or its text report.
void RunCodeCheck(const Options& o, MapForm& form, AppState& state) {
  ImportForceFile(o, form, state, o.args[0]);
  kuma::CodeCheckCommand(state, form);
  const kuma::CodeCheckDetails details = kuma::CodeCheckDetailsOf(state, form);
  const std::vector<std::string> lines = kuma::CodeCheckCsv(state, details);
  if (!o.hasOut) {
    PrintLines(lines);
    return;
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  kuma::WriteFileAtomic(o.out, text);
}

void RunReportCodeCheck(const Options& o, MapForm& form, AppState& state) {
  ImportForceFile(o, form, state, o.args[0]);
  kuma::CodeCheckCommand(state, form);
  PrintOrSave(o, kuma::CodeCheckReportCommand(state, form));
}

void RunSaveProject(const Options& o, MapForm& form, AppState& state) {
  kuma::SaveSectionFile(o.args[0], form, state);
}

void RunMphi(const Options&, MapForm& form, AppState& state) {
  kuma::MphiCommand(state, form);
  PrintLines(kuma::MphiCsvLines(state.mphi));
}

void RunReportMphi(const Options& o, MapForm& form, AppState& state) {
  kuma::MphiCommand(state, form);
  PrintOrSave(o, kuma::MphiReportCommand(state));
}

void RunLibraryAdd(const Options& o, MapForm& form, AppState& state) {
  kuma::LibraryAddCommand(o.args[0], form, state.colours, o.args[1]);
}

void RunLibrary(const Options& o, MapForm&, AppState&) { PrintLibrary(o.args[0]); }

// ETABS section definitions into PROJECT's library; what was replaced, kept
// or renamed goes to standard error, as the window's notes say it.
void RunLibraryImport(const Options& o, MapForm& form, AppState& state) {
  kuma::NameClash clash = kuma::NameClash::Replace;
  if (o.clash == "keep") clash = kuma::NameClash::KeepMine;
  if (o.clash == "rename") clash = kuma::NameClash::Rename;
  std::vector<std::string> notes;
  std::vector<kuma::LibrarySection> read;
  kuma::LibraryImportCommand(o.args[0], form, state.colours, o.args[1],
                             o.hasSheet ? o.sheet : std::string(), clash, notes, read);
  for (const kuma::LibrarySection& s : read) PrintLine(kuma::LibraryImportLine(s));
  std::fflush(stdout);
  for (const std::string& note : notes) std::fprintf(stderr, "kumasec-cli: %s\n", note.c_str());
}

// Every command but `charts`, which runs on a form of its own.
struct Command {
  const char* name;
  void (*run)(const Options&, MapForm&, AppState&);
};
constexpr Command kCommands[] = {
    {"mesh", RunMesh},
    {"laws", RunLaws},
    {"stats", RunStats},
    {"pm", RunPm},
    {"mm", RunMm},
    {"ranges", RunRanges},
    {"report-pm", RunReportPm},
    {"report-mm", RunReportMm},
    {"opensees", RunOpenSees},
    {"opensees-model", RunOpenSeesModel},
    {"import", RunImport},
    {"surface", RunSurface},
    {"check", RunCheck},
    {"report-check", RunReportCheck},
    {"code-check", RunCodeCheck},
    {"report-code-check", RunReportCodeCheck},
    {"save-project", RunSaveProject},
    {"report-pdf", RunPdfReport},
    {"mphi", RunMphi},
    {"report-mphi", RunReportMphi},
    {"library-add", RunLibraryAdd},
    {"library", RunLibrary},
    {"library-import", RunLibraryImport},
    {"building", RunBuilding},
    {"report-building", RunBuilding},
};

int RunCommand(const Options& o, MapForm& form, AppState& state) {
  for (const Command& command : kCommands) {
    if (o.command == command.name) command.run(o, form, state);
  }
  return 0;
}

// Prints a failure on standard error, after what standard output holds.
void ReportFailure(const char* format, const char* text) {
  std::fflush(stdout);
  std::fprintf(stderr, format, text);
}

int Run(int argc, char** argv) {
  qInstallMessageHandler(DropSessionWarnings);
  const Options o = ParseArguments(argc, argv);
  if (o.help) {
    kuma::WriteOutput(kUsage);
    return 0;
  }
  if (o.version) {
    PrintLine(kVersion);
    return 0;
  }
  CheckCommand(o);
  kuma::ProgressLine line(stderr, kuma::ProgressLine::IsTerminal(stderr), o.command);
  // The line is erased before anything is printed (standard output may be
  // the same terminal), and the hook goes with the line.
  kuma::SetBeforeOutput([&line] { line.Clear(); });
  struct Unhook {
    ~Unhook() { kuma::SetBeforeOutput({}); }
  } unhook;
  if (o.command == "charts") return RunCharts(o, argc, argv, line);
  kuma::ProgressForm<MapForm> form(line);
  AppState state;
  PrepareForm(o, form, state);
  return RunCommand(o, form, state);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const int status = Run(argc, argv);
    kuma::FinishOutput();
    return status;
  } catch (const UsageError& e) {
    ReportFailure("kumasec-cli: %s\nTry 'kumasec-cli --help'.\n", e.what());
    return 2;
  } catch (const kuma::Error& e) {
    // The CLI names each box by its caption and its control name.
    ReportFailure("%s\n", e.WithControls().c_str());
    return 1;
  } catch (const std::exception& e) {
    ReportFailure("%s\n", e.what());
    return 1;
  }
}
