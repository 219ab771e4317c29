#pragma once
// Lines of an OpenSEES model in Tcl or in OpenSeesPy: one writer for both.

#include <string>
#include <utility>
#include <vector>

#include "model/numfmt.h"
#include "report/opensees_model.h"

namespace kuma::opensees {

// One argument of a command: a number, a word (quoted in Python) or a
// variable ($name in Tcl).
struct Arg {
  enum Kind { Number, Word, Variable } kind = Number;
  std::string text;
};

inline Arg Word(const std::string& text) { return {Arg::Word, text}; }
inline Arg Var(const std::string& name) { return {Arg::Variable, name}; }
inline Arg Num(double value) { return {Arg::Number, ModelNumber(value)}; }
inline Arg Int(long long value) { return {Arg::Number, FormatInt(value)}; }

class ModelWriter {
 public:
  explicit ModelWriter(OpenSeesLanguage language) : python_(language == OpenSeesLanguage::Python) {}

  bool Python() const { return python_; }
  void Line(const std::string& text) { lines_.push_back(indent_ + text); }
  void Blank() { lines_.emplace_back(); }
  void Comment(const std::string& text) { Line("# " + text); }

  std::string Text(const Arg& a) const {
    switch (a.kind) {
      case Arg::Word:
        return python_ ? "'" + a.text + "'" : a.text;
      case Arg::Variable:
        return python_ ? a.text : "$" + a.text;
      default:
        return a.text;
    }
  }

  // `set name value` or `name = value`.
  void Set(const std::string& name, const Arg& value) {
    Line(python_ ? name + " = " + Text(value) : "set " + name + " " + Text(value));
  }

  // `name a b c` or `ops.name(a, b, c)`.
  void Call(const std::string& name, const std::vector<Arg>& args) {
    std::string text = python_ ? "ops." + name + "(" : name;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (python_ && i > 0) text += ", ";
      text += (python_ ? "" : " ") + Text(args[i]);
    }
    if (python_) text += ")";
    Line(text);
  }

  // A Tcl command whose last argument is a braced body of further commands;
  // in Python the command comes first and the body's calls follow it.
  void OpenBlock(const std::string& name, const std::vector<Arg>& args) {
    if (python_) {
      Call(name, args);
      return;
    }
    std::string text = name;
    for (const Arg& a : args) text += " " + Text(a);
    Line(text + " {");
    indent_ = "    ";
  }
  void CloseBlock() {
    if (python_) return;
    indent_.clear();
    Line("}");
  }

  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  bool python_;
  std::string indent_;
  std::vector<std::string> lines_;
};

}  // namespace kuma::opensees
