// The moment–curvature push of the OpenSEES model.
#include "report/opensees_analysis.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/surface.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

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

// The solution objects. Under a held axial force the convergence test asks
// the displacement increment (strains and curvatures, all below about 1) to
// fall under 1e-12: the axial force is then in balance to far better than
// 0.01 %. The proportional push fixes or imposes every DOF of the push node:
// Transformation would leave no equation to solve, so Lagrange enforces the
// imposed values, and as nothing is left to balance the first Newton
// iteration already gives the exact state; the test takes two iterations
// (the multipliers, forces of some 1e10 N·mm, would never meet a tolerance
// of 1e-12). An analysis of a model this one is sourced into would keep its
// own constraint handler: wipeAnalysis first.
void WriteSolution(ModelWriter& w, bool imposed) {
  w.Call("wipeAnalysis", {});
  w.Call("system", {Word("BandGeneral")});
  w.Call("numberer", {Word("Plain")});
  w.Call("constraints", {Word(imposed ? "Lagrange" : "Plain")});
  if (imposed) {
    w.Call("test", {Word("FixedNumIter"), Int(2)});
  } else {
    w.Call("test", {Word("NormDispIncr"), Num(1e-12), Int(50)});
  }
  w.Call("algorithm", {Word("Newton")});
}

std::string FaceName(const OpenSeesModelOptions& o) {
  return o.analysis == SectionAnalysisAxis::AboutX ? "+y" : "-x";
}

// The moment at the target of the constant-axial push in OpenSees 3.8
// against the program's, measured on the initial forms with law 1 concrete
// and steel, about X and Y, 2D and 3D alike, by family of section kinds.
struct MeasuredDifferences {
  const char* family;
  const char* lowLevels;           // half the tension end and 0
  const char *at30, *at60, *at90;  // per cent of the squash load
};

MeasuredDifferences MeasuredFor(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind != nullptr && IsReinforcedConcrete(*kind)) {
    return {"reinforced concrete", "0 to +0.02", "+0.01 to +0.18", "+0.6 to +0.9", "+4.5 to +7.7"};
  }
  if (kind != nullptr && IsTube(*kind)) {
    return {"concrete-filled tubes", "-0.003 to +0.01", "+0.02 to +0.03", "-0.07 to +0.08",
            "+0.4 to +0.8"};
  }
  return {"steel-reinforced concrete", "0 to +0.02", "-0.003 to +0.04", "-0.01 to +0.4",
          "+3.8 to +4.5"};
}

void WriteMeasuredComment(ModelWriter& w, int sectionType) {
  const MeasuredDifferences d = MeasuredFor(sectionType);
  w.Comment("Path: the axial force is held while the curvature grows. Fibers that were");
  w.Comment("compressed by the axial step and are then stretched unload along the");
  w.Comment("materials' hysteresis, while the program's sums (one plane strain, no history)");
  w.Comment("stay on the loading curves. Measured in OpenSees 3.8 for " + std::string(d.family) +
            " (law 1),");
  w.Comment("the moment at the target against the program's: " + std::string(d.lowLevels) +
            " % at half the tension end and at 0,");
  w.Comment(std::string(d.at30) + " % at 30 % of the squash load, " + d.at60 + " % at 60 %, " +
            d.at90 + " % at 90 %.");
  w.Comment("Appendix C and Mander concrete differ more near the squash load (up to +9.6 %).");
  w.Comment("The proportional push of the OpenSEES page reproduces the program's moment.");
}

void WriteTargetComment(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  const bool aboutX = o.analysis == SectionAnalysisAxis::AboutX;
  const PushState& s = m.target;
  if (o.target == PushTarget::CapacityState) {
    w.Comment("Target: the program's capacity state at the axial level " +
              FormatFixed(o.axialLevel, 3) + " kN, as the PM and MM");
    w.Comment("solvers find it: the curvature at which the first corner of the bounding");
    w.Comment("rectangle reaches its limit (ecu = " + ModelNumber(o.ecu) +
              " compressed, 0.01 stretched).");
    w.Comment("The state: P = " + FormatFixed(s.P, 3) + " kN, curvature " +
              ModelNumber(s.curvature) + " 1/mm, axial strain " + ModelNumber(s.axialStrain) + ";");
    if (m.levelNote.empty()) {
      w.Comment("the program's moment there " + FormatFixed(s.M, 3) + " kN*m (the MM curve at " +
                (aboutX ? "0" : "90") + " degrees: " + FormatFixed(m.mmMoment, 3) + " kN*m).");
    } else {
      // The MM curve's search lands elsewhere too, at an axial force of its
      // own: its moment is no capacity at this P and is not given.
      w.Comment("the program's moment there, its capacity at this P: " + FormatFixed(s.M, 3) +
                " kN*m.");
      w.Comment("The search's narrowing misses the level, as it misses PM targets close to");
      w.Comment("the squash load: the state above is the program's own at its own P, and the");
      w.Comment("push holds that axial force.");
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
}

// What the push does to a model it is sourced into.
void WriteHostComment(ModelWriter& w, const OpenSeesModelOptions& o) {
  w.Comment("Sourced into an existing model (from inside a procedure or function too), it");
  w.Comment("sets the variables above and its loop's own (ok, step, state, results, stopped)");
  w.Comment("where it is sourced, and defines the two helpers below by their names.");
  w.Comment("The push wipes and replaces the existing analysis objects");
  w.Comment("(system, numberer, constraints, test, algorithm, integrator, analysis), and its");
  w.Comment("analyze steps the whole domain. It leaves the load patterns as they are; the");
  if (o.path == PushPath::ConstantAxial) {
    w.Comment("domain time becomes the push's load factor, the moment in kN*m, so patterns of");
    w.Comment("time-varying series follow it. A failed push raises an error, without exit.");
  } else {
    w.Comment("domain time grows by 1 from its value at the start (the push's series ramps");
    w.Comment("from there), so patterns of time-varying series follow it. A failed push");
    w.Comment("raises an error, without exit.");
  }
}

void WriteResultComment(ModelWriter& w, const OpenSeesModelOptions& o) {
  const std::string axis = o.analysis == SectionAnalysisAxis::AboutX ? "X" : "Y";
  w.Comment("A step that does not converge is retried with the initial tangent, then in");
  w.Comment("halves (down to 1/1024 of a step). The push stops with a message when a step");
  w.Comment("still fails, when every fiber has failed, or when the held axial force drifts");
  w.Comment("by more than 0.1 % (axialTolerance, kN): " +
            std::string(o.wipe ? "on standard error, with exit status 1."
                               : "an error raised to the host model."));
  w.Comment(o.resultFile + ": one line per converged step, four numbers:");
  w.Comment("P (kN, compression positive), M (kN*m, about the program's " + axis +
            " axis, positive as pushed),");
  w.Comment("the axial strain at the program's origin, the curvature (1/mm, positive as pushed),");
  if (w.Python()) {
    w.Comment("each with 17 significant digits ('%.17g').");
  } else {
    w.Comment("written with format %.17g; OpenSees hands Tcl its numbers with 20 decimals,");
    w.Comment("so a curvature of 5e-6 1/mm keeps 15 significant digits (Python keeps 17).");
  }
  w.Comment(o.path == PushPath::ConstantAxial
                ? "The first line is the state after the axial step, before any curvature."
                : "The first line is the unloaded section, before the first step.");
}

void WriteAnalysisComment(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m,
                          int sectionType) {
  const std::string axis = o.analysis == SectionAnalysisAxis::AboutX ? "X" : "Y";
  w.Blank();
  w.Comment("Moment-curvature analysis about the program's " + axis +
            " axis: a zero-length section element.");
  WriteTargetComment(w, o, m);
  if (o.path == PushPath::ConstantAxial) {
    WriteMeasuredComment(w, sectionType);
  } else {
    w.Comment("Path: proportional. The axial strain and the curvature are imposed together,");
    w.Comment("raised from zero in proportion, so every fiber's strain grows one way and none");
    w.Comment("unloads: the last line holds the program's P and M of the state above (measured");
    w.Comment("in OpenSees 3.8 on PM points of every kind: within 1e-7 relative).");
  }
  if (!o.wipe) WriteHostComment(w, o);
  WriteResultComment(w, o);
}

// The axial force the constant-axial push holds: that of the capacity state
// (see LevelMissedNote), or the level itself for the crushing state.
double HeldAxialForce(const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  return o.target == PushTarget::CapacityState ? m.target.P : o.axialLevel;
}

// The push pattern's moment, N·mm: with it the load factor of the constant-
// axial push reads the pushed moment in kN·m. DisplacementControl forms its
// reference load from the unbalance at its first step; against this moment
// the residual of the axial step is negligible.
constexpr double kReferenceMoment = 1e6;

// The drift of the held axial force that stops the push: 0.1 % of the force,
// and at least 1 N for a force of zero.
double AxialTolerance(double held) { return std::max(1e-3 * std::fabs(held), 1e-3); }

// A file name as a Tcl word (braced: backslashes and blanks stay as typed)
// or a Python string.
Arg FileNameArg(const ModelWriter& w, const std::string& name) {
  if (!w.Python()) return Arg{Arg::Number, "{" + name + "}"};
  std::string quoted = "'";
  for (char c : name) {
    if (c == '\\' || c == '\'') quoted += '\\';
    quoted += c;
  }
  return Arg{Arg::Number, quoted + "'"};
}

void WriteAnalysisValues(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m) {
  if (o.path == PushPath::ConstantAxial) {
    w.Set("axialForce", Num(-HeldAxialForce(o, m) * 1000));
    w.Set("axialTolerance", Num(AxialTolerance(HeldAxialForce(o, m))));
  }
  if (o.path == PushPath::Proportional) w.Set("targetAxialStrain", Num(m.target.axialStrain));
  w.Set("targetCurvature", Num(m.target.curvature));
  w.Set("steps", Int(o.steps));
  w.Set("resultFile", FileNameArg(w, o.resultFile));
  w.Set("curvatureDof", Int(CurvatureDof(o)));
  w.Set("pushSign", Num(PushSign(o)));
  if (o.path == PushPath::ConstantAxial) {
    w.Set("referenceMoment", Num(PushSign(o) * kReferenceMoment));
  }
}

// The axial step (the whole force at once, a constant series), then the push
// pattern: the reference moment on a linear series.
void WriteConstantAxialLoading(ModelWriter& w, const OpenSeesModelOptions& o) {
  w.Call("timeSeries", {Word("Constant"), Var("axialSeries")});
  w.OpenBlock("pattern", {Word("Plain"), Var("axialPattern"), Var("axialSeries")});
  w.Call("load", NodeVector(o, Var("axialForce"), Num(0.0)));
  w.CloseBlock();
  WriteSolution(w, false);
  w.Call("integrator", {Word("LoadControl"), Num(0.0)});
  w.Call("analysis", {Word("Static")});
  w.Line(w.Python() ? "ok = ops.analyze(1)" : "set ok [analyze 1]");
  w.Call("timeSeries", {Word("Linear"), Var("pushSeries")});
  w.OpenBlock("pattern", {Word("Plain"), Var("pushPattern"), Var("pushSeries")});
  w.Call("load", NodeVector(o, Num(0.0), Var("referenceMoment")));
  w.CloseBlock();
}

// The axial strain and the curvature imposed on a series that ramps from 0
// at the current time to 1 a unit of time later (and on beyond).
void WriteProportionalLoading(ModelWriter& w) {
  if (w.Python()) {
    w.Line("pushStart = ops.getTime()");
    w.Line(
        "ops.timeSeries('Path', pushSeries, '-time', pushStart, pushStart + 2.0, "
        "'-values', 0.0, 2.0)");
  } else {
    w.Line("set pushStart [getTime]");
    w.Line(
        "timeSeries Path $pushSeries -time [list $pushStart [expr {$pushStart + 2.0}]] "
        "-values {0.0 2.0}");
  }
  w.OpenBlock("pattern", {Word("Plain"), Var("pushPattern"), Var("pushSeries")});
  w.Call("sp", {Var("pushNode"), Int(1), Var("targetAxialStrain")});
  if (w.Python()) {
    w.Call("sp", {Var("pushNode"), Var("curvatureDof"), Var("pushSign * targetCurvature")});
  } else {
    w.Call("sp", {Var("pushNode"), Var("curvatureDof"),
                  Arg{Arg::Number, "[expr {$pushSign * $targetCurvature}]"}});
  }
  w.CloseBlock();
  WriteSolution(w, true);
  w.Call("integrator", {Word("LoadControl"), Num(0.0)});
  w.Call("analysis", {Word("Static")});
  w.Line(w.Python() ? "ok = 0" : "set ok 0");
}

// The state written after each step, and the test for a section whose fibers
// have all failed (every stress zero). Both take their values as arguments,
// so that they work wherever the model is sourced.
const char* const kTclProcs[] = {
    "proc writeMomentCurvatureState {channel elementTag pushNode curvatureDof pushSign} {",
    "    set force [eleResponse $elementTag force]",
    "    set n [expr {[llength $force] / 2}]",
    "    set P [expr {-[lindex $force $n] / 1000.0}]",
    "    set M [expr {$pushSign * [lindex $force [expr {$n + $curvatureDof - 1}]] / 1e6}]",
    "    puts $channel [format \"%.17g %.17g %.17g %.17g\" $P $M [nodeDisp $pushNode 1] \\",
    "        [expr {$pushSign * [nodeDisp $pushNode $curvatureDof]}]]",
    "    return [list $P $M]",
    "}",
    "proc everyFiberFailed {elementTag} {",
    "    foreach {y z area stress strain} [eleResponse $elementTag section fiberData] {",
    "        if {$stress != 0} { return 0 }",
    "    }",
    "    return 1",
    "}",
};

const char* const kPythonProcs[] = {
    "def write_moment_curvature_state(ops, out, elementTag, pushNode, curvatureDof, pushSign):",
    "    force = ops.eleResponse(elementTag, 'force')",
    "    n = len(force) // 2",
    "    P = -force[n] / 1000.0",
    "    M = pushSign * force[n + curvatureDof - 1] / 1e6",
    "    out.write('%.17g %.17g %.17g %.17g\\n' % (",
    "        P, M, ops.nodeDisp(pushNode, 1), pushSign * ops.nodeDisp(pushNode, curvatureDof)))",
    "    return P, M",
    "",
    "",
    "def every_fiber_failed(ops, elementTag):",
    "    data = ops.eleResponse(elementTag, 'section', 'fiberData')",
    "    return all(stress == 0 for stress in data[3::5])",
    "",
};

void WriteTclChecks(ModelWriter& w, const OpenSeesModelOptions& o);
void WritePythonChecks(ModelWriter& w, const OpenSeesModelOptions& o);

// The push loop: each step reached in one increment or in halves of it, the
// integrator issued again only when the increment changes.
void WriteTclLoop(ModelWriter& w, const OpenSeesModelOptions& o) {
  const bool constant = o.path == PushPath::ConstantAxial;
  for (const char* line : kTclProcs) w.Line(line);
  const std::string fraction =
      constant ? "$pushSign * [nodeDisp $pushNode $curvatureDof] / $targetCurvature"
               : "[getTime] - $pushStart";
  const std::string integrator = constant
                                     ? "integrator DisplacementControl $pushNode $curvatureDof "
                                       "[expr {$pushSign * $targetCurvature * $increment}]"
                                     : "integrator LoadControl $increment";
  const std::string state =
      "[writeMomentCurvatureState $results $elementTag $pushNode $curvatureDof $pushSign]";
  const std::vector<std::string> lines = {
      "file mkdir [file dirname $resultFile]",
      "set results [open $resultFile w]",
      "set state " + state,
      "set stopped \"\"",
      "if {$ok != 0} { set stopped \"the axial step did not converge\" }",
      "set step 0",
      "set increment 0.0",
      "while {$stopped eq \"\" && $step < $steps} {",
      "    incr step",
      "    set goal [expr {double($step) / $steps}]",
      "    set part [expr {1.0 / $steps}]",
      "    while {$ok == 0} {",
      "        set left [expr {$goal - (" + fraction + ")}]",
      "        if {$left <= 1e-9 / $steps} break",
      "        set next [expr {min($part, $left)}]",
      "        if {abs($next - $increment) > 1e-9 / $steps} {",
      "            set increment $next",
      "            " + integrator,
      "        }",
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
      "    }",
      "    if {$ok != 0} {",
      "        set stopped \"a step did not converge, even in 1/1024 of a step\"",
      "        break",
      "    }",
      "    set state " + state,
  };
  for (const std::string& line : lines) w.Line(line);
  WriteTclChecks(w, o);
}

// After each step: the drift of the held axial force, a section whose fibers
// have all failed; after the loop, the message and the stop.
void WriteTclChecks(ModelWriter& w, const OpenSeesModelOptions& o) {
  if (o.path == PushPath::ConstantAxial) {
    w.Line("    if {abs([lindex $state 0] + $axialForce / 1000.0) > $axialTolerance} {");
    w.Line(
        "        set stopped \"the axial force drifted to [format %.3f [lindex $state 0]] "
        "kN from [format %.3f [expr {-$axialForce / 1000.0}]] kN\"");
    w.Line("    } elseif {[lindex $state 1] <= 0 && [everyFiberFailed $elementTag]} {");
  } else {
    w.Line("    if {[lindex $state 1] <= 0 && [everyFiberFailed $elementTag]} {");
  }
  w.Line("        set stopped \"every fiber has failed\"");
  w.Line("    }");
  w.Line("}");
  w.Line("close $results");
  w.Line("if {$stopped ne \"\"} {");
  w.Line("    set message \"Moment-curvature analysis stopped at step $step of $steps: $stopped\"");
  if (o.wipe) {
    w.Line("    puts stderr $message");
    w.Line("    exit 1");
  } else {
    w.Line("    return -code error $message");
  }
  w.Line("}");
  w.Line("puts \"Moment-curvature analysis done: $steps steps\"");
}

void WritePythonLoop(ModelWriter& w, const OpenSeesModelOptions& o) {
  const bool constant = o.path == PushPath::ConstantAxial;
  for (const char* line : kPythonProcs) line[0] ? w.Line(line) : w.Blank();
  w.Blank();
  const std::string fraction =
      constant ? "pushSign * ops.nodeDisp(pushNode, curvatureDof) / targetCurvature"
               : "ops.getTime() - pushStart";
  const std::string integrator =
      constant ? "ops.integrator('DisplacementControl', pushNode, curvatureDof, "
                 "pushSign * targetCurvature * increment)"
               : "ops.integrator('LoadControl', increment)";
  const std::string state =
      "write_moment_curvature_state(ops, results, elementTag, pushNode, curvatureDof, pushSign)";
  const std::vector<std::string> lines = {
      "if os.path.dirname(resultFile):",
      "    os.makedirs(os.path.dirname(resultFile), exist_ok=True)",
      "results = open(resultFile, 'w')",
      "state = " + state,
      "stopped = '' if ok == 0 else 'the axial step did not converge'",
      "step = 0",
      "increment = 0.0",
      "while not stopped and step < steps:",
      "    step += 1",
      "    goal = step / steps",
      "    part = 1.0 / steps",
      "    while ok == 0:",
      "        left = goal - (" + fraction + ")",
      "        if left <= 1e-9 / steps:",
      "            break",
      "        if abs(min(part, left) - increment) > 1e-9 / steps:",
      "            increment = min(part, left)",
      "            " + integrator,
      "        ok = ops.analyze(1)",
      "        if ok != 0:",
      "            ops.algorithm('ModifiedNewton', '-initial')",
      "            ok = ops.analyze(1)",
      "            ops.algorithm('Newton')",
      "        if ok != 0 and part > 1.0 / steps / 1024:",
      "            part /= 2",
      "            ok = 0",
      "    if ok != 0:",
      "        stopped = 'a step did not converge, even in 1/1024 of a step'",
      "        break",
      "    state = " + state,
  };
  for (const std::string& line : lines) w.Line(line);
  WritePythonChecks(w, o);
}

// As WriteTclChecks.
void WritePythonChecks(ModelWriter& w, const OpenSeesModelOptions& o) {
  if (o.path == PushPath::ConstantAxial) {
    w.Line("    if abs(state[0] + axialForce / 1000.0) > axialTolerance:");
    w.Line("        stopped = 'the axial force drifted to %.3f kN from %.3f kN' % (");
    w.Line("            state[0], -axialForce / 1000.0)");
    w.Line("    elif state[1] <= 0 and every_fiber_failed(ops, elementTag):");
  } else {
    w.Line("    if state[1] <= 0 and every_fiber_failed(ops, elementTag):");
  }
  w.Line("        stopped = 'every fiber has failed'");
  w.Line("results.close()");
  w.Line("if stopped:");
  w.Line("    message = 'Moment-curvature analysis stopped at step %d of %d: %s' % (");
  w.Line("        step, steps, stopped)");
  if (o.wipe) {
    w.Line("    print(message, file=sys.stderr)");
    w.Line("    sys.exit(1)");
  } else {
    w.Line("    raise RuntimeError(message)");
  }
  w.Line("print('Moment-curvature analysis done: %d steps' % steps)");
}

std::string Kn(double value) { return FormatFixed(value, 1); }

}  // namespace

void WriteAnalysis(ModelWriter& w, const OpenSeesModelOptions& o, const OpenSeesModel& m,
                   int sectionType) {
  WriteAnalysisComment(w, o, m, sectionType);
  WriteAnalysisValues(w, o, m);
  WriteNodes(w, o);
  if (o.path == PushPath::ConstantAxial) {
    WriteConstantAxialLoading(w, o);
  } else {
    WriteProportionalLoading(w);
  }
  if (w.Python()) {
    w.Blank();
    w.Blank();
    WritePythonLoop(w, o);
  } else {
    WriteTclLoop(w, o);
  }
}

// A note when the capacity state's axial force misses the level by more
// than 0.1 % of the section's axial range, else empty.
std::string LevelMissedNote(const FiberArray& fibers, const OpenSeesModelOptions& o, double P) {
  double compressionEnd = 0, tensionEnd = 0;
  AxialEnds(fibers, o.ecu, compressionEnd, tensionEnd);
  if (std::fabs(P - o.axialLevel) <= 1e-3 * (compressionEnd - tensionEnd)) return {};
  return "注意：程序的搜索在轴力水平 " + Kn(o.axialLevel) + " kN 处停在 P = " + Kn(P) +
         " kN（接近轴压承载力时缩窄规则会偏离目标，PM曲线亦然），轴力不变的推覆保持该状态的轴力";
}

}  // namespace kuma::opensees
