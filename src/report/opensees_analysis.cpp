// The moment–curvature push of the OpenSEES model.
#include "report/opensees_analysis.h"

#include <cmath>

#include "analysis/surface.h"
#include "model/numfmt.h"

namespace kuma::opensees {

namespace {

// The curvature about the chosen axis is the rotation DOF of the push node:
// 5 (about global Y, the section's local y: the program's X axis) or 6 in
// 3D, 3 in 2D. The axial force is DOF 1.
int CurvatureDof(const OpenSeesModelOptions& o) {
  if (!o.threeD) return 3;
  return o.analysis == SectionAnalysisAxis::AboutX ? 5 : 6;
}

// The sense of rotation that compresses the program's face (+y about X, -x
// about Y): only the 2D model bending about X compresses it turning the
// positive way (see WriteAxesComment).
double PushSign(const OpenSeesModelOptions& o) {
  return !o.threeD && o.analysis == SectionAnalysisAxis::AboutX ? 1.0 : -1.0;
}

std::vector<Arg> NodeVector(const OpenSeesModelOptions& o, const Arg& axial, const Arg& rotation) {
  const int dofs = o.threeD ? 6 : 3;
  std::vector<Arg> args = {Var("pushNode")};
  for (int dof = 1; dof <= dofs; ++dof) {
    args.push_back(dof == 1 ? axial : (dof == CurvatureDof(o) ? rotation : Num(0.0)));
  }
  return args;
}

void WriteNodes(ModelWriter& w, const OpenSeesModelOptions& o) {
  const int dofs = o.threeD ? 6 : 3;
  std::vector<Arg> fixed = {Var("baseNode")}, free = {Var("pushNode")};
  for (int dof = 1; dof <= dofs; ++dof) {
    fixed.push_back(Int(1));
    free.push_back(Int(dof == 1 || dof == CurvatureDof(o) ? 0 : 1));
  }
  for (const char* node : {"baseNode", "pushNode"}) {
    std::vector<Arg> origin = {Var(node)};
    for (int i = 0; i < (o.threeD ? 3 : 2); ++i) origin.push_back(Num(0.0));
    w.Call("node", origin);
  }
  w.Call("fix", fixed);
  w.Call("fix", free);
  w.Call("element", {Word("zeroLengthSection"), Var("elementTag"), Var("baseNode"), Var("pushNode"),
                     Var("sectionTag")});
}

void WriteSolution(ModelWriter& w, const char* constraints) {
  w.Call("system", {Word("BandGeneral")});
  w.Call("numberer", {Word("Plain")});
  w.Call("constraints", {Word(constraints)});
  w.Call("test", {Word("NormDispIncr"), Num(1e-12), Int(50)});
  w.Call("algorithm", {Word("Newton")});
}

std::string FaceName(const OpenSeesModelOptions& o) {
  return o.analysis == SectionAnalysisAxis::AboutX ? "+y" : "-x";
}

void WriteAnalysisComment(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  const bool aboutX = o.analysis == SectionAnalysisAxis::AboutX;
  const std::string axis = aboutX ? "X" : "Y";
  const PushState& s = m.target;
  w.Blank();
  w.Comment("Moment-curvature analysis about the program's " + axis +
            " axis: a zero-length section element.");
  if (o.target == PushTarget::CapacityState) {
    w.Comment("Target: the program's capacity state at the axial level " +
              FormatFixed(o.axialLevel, 3) + " kN, as the PM and MM");
    w.Comment("solvers find it: the curvature at which the first corner of the bounding");
    w.Comment("rectangle reaches its limit (ecu = " + ModelNumber(o.ecu) +
              " compressed, 0.01 stretched).");
    w.Comment("The state: P = " + FormatFixed(s.P, 3) + " kN, curvature " +
              ModelNumber(s.curvature) + " 1/mm, axial strain " + ModelNumber(s.axialStrain) + ";");
    w.Comment("the program's moment there " + FormatFixed(s.M, 3) + " kN*m (the MM curve at " +
              (aboutX ? "0" : "90") + " degrees: " + FormatFixed(m.mmMoment, 3) + " kN*m).");
    if (!m.levelNote.empty()) {
      w.Comment("The search's narrowing misses this level, as it misses PM targets close to");
      w.Comment("the squash load: the state above is the program's own, and the push holds");
      w.Comment("its axial force.");
    }
  } else {
    w.Comment("Target: the compressed concrete edge reaches ecu = " + ModelNumber(o.ecu) +
              " under the axial level " + FormatFixed(o.axialLevel, 3) + " kN;");
    w.Comment("this is not the program's capacity state (which also caps the stretched");
    w.Comment("corner at 0.01). Curvature " + ModelNumber(s.curvature) + " 1/mm, axial strain " +
              ModelNumber(s.axialStrain) + "; the program's moment there " + FormatFixed(s.M, 3) +
              " kN*m.");
  }
  w.Comment("The push compresses the program's " + FaceName(o) + " face, as its PM and MM states " +
            (aboutX ? "at 0 degrees" : "at 90 degrees") + " do.");
  if (o.path == PushPath::ConstantAxial) {
    w.Comment("Path: the axial force is held while the curvature grows. Fibers that were");
    w.Comment("compressed by the axial step and are then stretched unload along Concrete01's");
    w.Comment("and Steel01's hysteresis, while the program's sums (one plane strain, no");
    w.Comment("history) stay on the loading curves. Expect the moment at the target within");
    w.Comment("about 0.2 % of the program's at moderate axial force, and up to about 5 % (RC)");
    w.Comment("to 9 % (concrete-filled tube) above it within a few per cent of the squash load.");
    w.Comment("The proportional push of the OpenSEES page reproduces the program's moment.");
  } else {
    w.Comment("Path: proportional. The axial strain and the curvature are imposed together,");
    w.Comment("raised from zero in proportion, so every fiber's strain grows one way and none");
    w.Comment("unloads: the last line holds the program's P and M of the state above.");
  }
  w.Comment("A step that does not converge is retried with the initial tangent, then in");
  w.Comment("halves (down to 1/1024 of a step); if it still fails the script stops with exit");
  w.Comment("status 1 and a message on standard error.");
  w.Comment(o.resultFile + ": one line per converged step, four numbers with 17 digits:");
  w.Comment("P (kN, compression positive), M (kN*m, about the program's " + axis +
            " axis, positive as pushed),");
  w.Comment("the axial strain at the program's origin, the curvature (1/mm, positive as pushed).");
  w.Comment(o.path == PushPath::ConstantAxial
                ? "The first line is the state after the axial step, before any curvature."
                : "The first line is the unloaded section, before the first step.");
}

// The axial force the constant-axial push holds: that of the capacity state
// (see LevelMissedNote), or the level itself for the crushing state.
double HeldAxialForce(const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  return o.target == PushTarget::CapacityState ? m.target.P : o.axialLevel;
}

void WriteAnalysisValues(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  if (o.path == PushPath::ConstantAxial) w.Set("axialForce", Num(-HeldAxialForce(o, m) * 1000));
  if (o.path == PushPath::Proportional) w.Set("targetAxialStrain", Num(m.target.axialStrain));
  w.Set("targetCurvature", Num(m.target.curvature));
  w.Set("steps", Int(o.steps));
  w.Set("resultFile", w.Python() ? Word(o.resultFile) : Arg{Arg::Number, o.resultFile});
  w.Set("curvatureDof", Int(CurvatureDof(o)));
  w.Set("pushSign", Num(PushSign(o)));
}

// The loading up to the start of the push, and the two helpers the push
// loop calls: the fraction of the target reached, and the next increment.
void WriteLoading(ModelWriter& w, const OpenSeesModelOptions& o) {
  if (o.path == PushPath::ConstantAxial) {
    w.Call("timeSeries", {Word("Constant"), Var("axialSeries")});
    w.OpenBlock("pattern", {Word("Plain"), Var("axialPattern"), Var("axialSeries")});
    w.Call("load", NodeVector(o, Var("axialForce"), Num(0.0)));
    w.CloseBlock();
    WriteSolution(w, "Plain");
    w.Call("integrator", {Word("LoadControl"), Num(0.0)});
    w.Call("analysis", {Word("Static")});
    w.Line(w.Python() ? "ok = ops.analyze(1)" : "set ok [analyze 1]");
    w.Call("loadConst", {Word("-time"), Num(0.0)});
    w.Call("timeSeries", {Word("Linear"), Var("pushSeries")});
    w.OpenBlock("pattern", {Word("Plain"), Var("pushPattern"), Var("pushSeries")});
    w.Call("load", NodeVector(o, Num(0.0), Var("pushSign")));
    w.CloseBlock();
    if (w.Python()) {
      w.Blank();
      w.Line("def pushed_fraction():");
      w.Line("    return pushSign * ops.nodeDisp(pushNode, curvatureDof) / targetCurvature");
      w.Blank();
      w.Line("def push_by(fraction):");
      w.Line("    ops.integrator('DisplacementControl', pushNode, curvatureDof,");
      w.Line("                   pushSign * targetCurvature * fraction)");
    } else {
      w.Line("proc pushedFraction {} {");
      w.Line(
          "    expr {$::pushSign * [nodeDisp $::pushNode $::curvatureDof] / $::targetCurvature}");
      w.Line("}");
      w.Line("proc pushBy {fraction} {");
      w.Line("    integrator DisplacementControl $::pushNode $::curvatureDof \\");
      w.Line("        [expr {$::pushSign * $::targetCurvature * $fraction}]");
      w.Line("}");
    }
    return;
  }
  // Imposed axial strain and curvature need a handler that enforces
  // non-zero single-point constraints: Plain would take them as zero.
  w.Call("timeSeries", {Word("Linear"), Var("pushSeries")});
  w.OpenBlock("pattern", {Word("Plain"), Var("pushPattern"), Var("pushSeries")});
  w.Call("sp", {Var("pushNode"), Int(1), Var("targetAxialStrain")});
  if (w.Python()) {
    w.Call("sp", {Var("pushNode"), Var("curvatureDof"), Var("pushSign * targetCurvature")});
  } else {
    w.Call("sp", {Var("pushNode"), Var("curvatureDof"),
                  Arg{Arg::Number, "[expr {$pushSign * $targetCurvature}]"}});
  }
  w.CloseBlock();
  WriteSolution(w, "Transformation");
  w.Call("integrator", {Word("LoadControl"), Num(0.0)});
  w.Call("analysis", {Word("Static")});
  w.Line(w.Python() ? "ok = 0" : "set ok 0");
  if (w.Python()) {
    w.Blank();
    w.Line("def pushed_fraction():");
    w.Line("    return ops.getTime()");
    w.Blank();
    w.Line("def push_by(fraction):");
    w.Line("    ops.integrator('LoadControl', fraction)");
  } else {
    w.Line("proc pushedFraction {} { getTime }");
    w.Line("proc pushBy {fraction} { integrator LoadControl $fraction }");
  }
}

const char* const kTclPushLoop[] = {
    "proc writeState {channel} {",
    "    set force [eleResponse $::elementTag force]",
    "    set n [expr {[llength $force] / 2}]",
    "    puts $channel [format \"%.17g %.17g %.17g %.17g\" \\",
    "        [expr {-[lindex $force $n] / 1000.0}] \\",
    "        [expr {$::pushSign * [lindex $force [expr {$n + $::curvatureDof - 1}]] / 1e6}] \\",
    "        [nodeDisp $::pushNode 1] \\",
    "        [expr {$::pushSign * [nodeDisp $::pushNode $::curvatureDof]}]]",
    "}",
    "file mkdir [file dirname $resultFile]",
    "set results [open $resultFile w]",
    "writeState $results",
    "set step 0",
    "while {$ok == 0 && $step < $steps} {",
    "    incr step",
    "    set goal [expr {double($step) / $steps}]",
    "    set part [expr {1.0 / $steps}]",
    "    set tries 0",
    "    while {$ok == 0 && [pushedFraction] < $goal - 1e-9 / $steps} {",
    "        pushBy [expr {min($part, $goal - [pushedFraction])}]",
    "        set ok [analyze 1]",
    "        if {$ok != 0} {",
    "            algorithm ModifiedNewton -initial",
    "            set ok [analyze 1]",
    "            algorithm Newton",
    "        }",
    "        if {$ok != 0 && $part > 1.0 / $steps / 1024} {",
    "            set part [expr {$part / 2}]",
    "            set ok 0",
    "        }",
    "        if {[incr tries] > 4096} { set ok -1 }",
    "    }",
    "    if {$ok == 0} { writeState $results }",
    "}",
    "close $results",
    "if {$ok != 0} {",
    "    puts stderr \"Moment-curvature analysis stopped at step $step of $steps\"",
    "    exit 1",
    "}",
    "puts \"Moment-curvature analysis done: $steps steps\"",
};

const char* const kPythonPushLoop[] = {
    "def write_state(out):",
    "    force = ops.eleResponse(elementTag, 'force')",
    "    n = len(force) // 2",
    "    out.write('%.17g %.17g %.17g %.17g\\n' % (",
    "        -force[n] / 1000.0, pushSign * force[n + curvatureDof - 1] / 1e6,",
    "        ops.nodeDisp(pushNode, 1), pushSign * ops.nodeDisp(pushNode, curvatureDof)))",
    "",
    "",
    "if os.path.dirname(resultFile):",
    "    os.makedirs(os.path.dirname(resultFile), exist_ok=True)",
    "results = open(resultFile, 'w')",
    "write_state(results)",
    "step = 0",
    "while ok == 0 and step < steps:",
    "    step += 1",
    "    goal = step / steps",
    "    part = 1.0 / steps",
    "    tries = 0",
    "    while ok == 0 and pushed_fraction() < goal - 1e-9 / steps:",
    "        push_by(min(part, goal - pushed_fraction()))",
    "        ok = ops.analyze(1)",
    "        if ok != 0:",
    "            ops.algorithm('ModifiedNewton', '-initial')",
    "            ok = ops.analyze(1)",
    "            ops.algorithm('Newton')",
    "        if ok != 0 and part > 1.0 / steps / 1024:",
    "            part /= 2",
    "            ok = 0",
    "        tries += 1",
    "        if tries > 4096:",
    "            ok = -1",
    "    if ok == 0:",
    "        write_state(results)",
    "results.close()",
    "if ok != 0:",
    "    print('Moment-curvature analysis stopped at step %d of %d' % (step, steps),",
    "          file=sys.stderr)",
    "    sys.exit(1)",
    "print('Moment-curvature analysis done: %d steps' % steps)",
};

std::string Kn(double value) { return FormatFixed(value, 1); }

}  // namespace

void WriteAnalysis(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  WriteAnalysisComment(w, o, m);
  WriteAnalysisValues(w, o, m);
  WriteNodes(w, o);
  WriteLoading(w, o);
  if (w.Python()) {
    w.Blank();
    w.Blank();
    for (const char* line : kPythonPushLoop) line[0] ? w.Line(line) : w.Blank();
  } else {
    for (const char* line : kTclPushLoop) w.Line(line);
  }
}

std::string LevelMissedNote(const FiberArray& fibers, const OpenSeesModelOptions& o, double P) {
  double compressionEnd = 0, tensionEnd = 0;
  AxialEnds(fibers, o.ecu, compressionEnd, tensionEnd);
  if (std::fabs(P - o.axialLevel) <= 1e-3 * (compressionEnd - tensionEnd)) return {};
  return "注意：程序的搜索在轴力水平 " + Kn(o.axialLevel) + " kN 处停在 P = " + Kn(P) +
         " kN（接近轴压承载力时缩窄规则会偏离目标，PM曲线亦然），轴力不变的推覆保持该状态的轴力";
}

}  // namespace kuma::opensees
