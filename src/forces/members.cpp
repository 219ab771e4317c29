// The members of an ETABS force table and the seismic part of its cases.
#include "forces/members.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace kuma {

namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

int At(const std::vector<int>& of, std::size_t r) { return r < of.size() ? of[r] : -1; }

// A dense number for each (story, column) pair and for each member of a
// pair (case and step); rows of one member come together in ETABS tables, so
// the last key is tried before the map.
class KeyNumbers {
 public:
  explicit KeyNumbers(std::size_t expected = 0) { numbers_.reserve(expected); }
  int Of(std::uint64_t key) {
    if (count_ > 0 && key == lastKey_) return last_;
    auto found = numbers_.emplace(key, count_);
    if (found.second) ++count_;
    lastKey_ = key;
    last_ = found.first->second;
    return last_;
  }
  int Count() const { return count_; }

 private:
  std::unordered_map<std::uint64_t, int> numbers_;
  std::uint64_t lastKey_ = 0;
  int last_ = -1, count_ = 0;
};

std::uint64_t PairKey(int a, int b) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) |
         static_cast<std::uint32_t>(b);
}

bool IsTermBreak(std::string_view text, std::size_t i) {
  const char c = text[i];
  if (c == '+' || c == '(' || c == ')') return true;
  // A minus starts a term when a factor follows ("0.9D-1.0EX"); inside a
  // name ("EQ-X") it is part of it.
  if (c != '-') return false;
  const bool digitAfter =
      i + 1 < text.size() &&
      (std::isdigit(static_cast<unsigned char>(text[i + 1])) != 0 || text[i + 1] == '.');
  return i == 0 || digitAfter;
}

// A term without its factor: "1.4X" is X, "1.2*D" is D; a term that is
// all number ("1.2" of "1.2(D+L)") is none.
std::string_view WithoutFactor(std::string_view term) {
  std::size_t i = 0;
  while (i < term.size() && (std::isdigit(static_cast<unsigned char>(term[i])) != 0 ||
                             term[i] == '.' || term[i] == ' ' || term[i] == '*'))
    ++i;
  return term.substr(i);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

void AddOnce(std::vector<std::string>& list, std::unordered_set<std::string>& seen,
             const std::string& name) {
  if (!name.empty() && seen.insert(name).second) list.push_back(name);
}

// The combinations of the workbook by name.
using Definitions = std::unordered_map<std::string, const std::vector<std::string>*>;

Definitions DefinitionsOf(const ForceTable& forces) {
  Definitions definitions;
  for (const auto& [name, loads] : forces.combinationLoads) definitions.emplace(name, &loads);
  return definitions;
}

// The load cases of a case: a combination the workbook defines by its
// loads (combinations within it opened in turn), any other by the terms of
// its name.
void AddLoadCases(const std::string& name, const Definitions& definitions, int depth,
                  std::vector<std::string>& list, std::unordered_set<std::string>& seen) {
  auto found = definitions.find(name);
  if (found == definitions.end() || depth > 16) {  // 16: a definition that names itself
    for (const std::string& term : CombinationTerms(name)) AddOnce(list, seen, term);
    return;
  }
  for (const std::string& load : *found->second) {
    if (definitions.count(load) != 0) {
      AddLoadCases(load, definitions, depth + 1, list, seen);
    } else {
      AddOnce(list, seen, load);
    }
  }
}

std::vector<std::string> LoadCasesOfCase(const std::string& name, const Definitions& definitions) {
  std::vector<std::string> list;
  std::unordered_set<std::string> seen;
  AddLoadCases(name, definitions, 0, list, seen);
  return list;
}

bool IsUsualSeismicName(const std::string& name) {
  static const char* const kNames[] = {"e", "ex", "ey", "eq", "eqx", "eqy", "sx", "sy", "rs"};
  const std::string lower = Lower(name);
  for (const char* usual : kNames)
    if (lower == usual) return true;
  return lower.compare(0, 4, "spec") == 0 || name.find("地震") != std::string::npos;
}

bool IsSeismicType(const std::string& type) {
  const std::string lower = Lower(type);
  return lower.find("response spectrum") != std::string::npos || lower == "seismic";
}

// Whether each of the table's output cases is seismic.
std::vector<char> SeismicCases(const ForceTable& forces, const std::vector<std::string>& cases) {
  std::unordered_set<std::string> marked;
  for (const std::string& name : cases) marked.insert(Lower(name));
  const Definitions definitions = DefinitionsOf(forces);
  std::vector<char> seismic(forces.cases.size(), 0);
  for (std::size_t c = 0; c < forces.cases.size(); ++c) {
    if (marked.count(Lower(forces.cases[c])) != 0) {
      seismic[c] = 1;
      continue;
    }
    for (const std::string& load : LoadCasesOfCase(forces.cases[c], definitions))
      if (marked.count(Lower(load)) != 0) seismic[c] = 1;
  }
  return seismic;
}

}  // namespace

std::vector<MemberEnds> FindMemberEnds(const ForceTable& forces) {
  const std::size_t size = static_cast<std::size_t>(std::max(forces.Count, 0)) + 1;
  if (forces.storyOf.size() != size || forces.columnOf.size() != size ||
      forces.caseOf.size() != size || forces.station.size() != size)
    return {};
  const int bottomStory = static_cast<int>(forces.stories.size()) - 1;
  // A member is its pair's case and step, packed in one number when the
  // cases and steps leave room for it.
  const std::uint64_t steps = forces.steps.size() + 1;
  const bool packed = (forces.cases.size() + 1) * steps < (1ULL << 31);
  KeyNumbers pairs, cases, members(size / 2);
  std::vector<int> pairOf(size, -1), memberOf(size, -1);
  for (std::size_t r = 1; r < size; ++r) {
    if (forces.storyOf[r] < 0 || forces.columnOf[r] < 0 || forces.caseOf[r] < 0) continue;
    pairOf[r] = pairs.Of(PairKey(forces.storyOf[r], forces.columnOf[r]));
    const std::uint64_t step = static_cast<std::uint64_t>(At(forces.stepOf, r) + 1);
    const std::uint64_t caseStep = static_cast<std::uint64_t>(forces.caseOf[r]) * steps + step;
    memberOf[r] = packed ? members.Of(PairKey(pairOf[r], static_cast<int>(caseStep)))
                         : members.Of(PairKey(cases.Of(PairKey(pairOf[r], forces.caseOf[r])),
                                              static_cast<int>(step)));
  }
  std::vector<double> length(static_cast<std::size_t>(pairs.Count()), 0.0);
  std::vector<int> low(static_cast<std::size_t>(members.Count()), 0), high = low;
  for (std::size_t r = 1; r < size; ++r) {
    if (memberOf[r] < 0) continue;
    const double station = forces.station[r];
    double& longest = length[static_cast<std::size_t>(pairOf[r])];
    longest = std::max(longest, station);
    int& lo = low[static_cast<std::size_t>(memberOf[r])];
    int& hi = high[static_cast<std::size_t>(memberOf[r])];
    if (lo == 0 || station < forces.station[static_cast<std::size_t>(lo)]) lo = static_cast<int>(r);
    if (hi == 0 || station > forces.station[static_cast<std::size_t>(hi)]) hi = static_cast<int>(r);
  }
  std::vector<MemberEnds> ends(size);
  for (std::size_t r = 1; r < size; ++r) {
    if (memberOf[r] < 0) continue;
    MemberEnds& e = ends[r];
    const auto m = static_cast<std::size_t>(memberOf[r]);
    if (low[m] != high[m]) e.bottom = low[m], e.top = high[m];  // one station: no ends
    e.length = length[static_cast<std::size_t>(pairOf[r])];
    e.bottomStory = forces.storyOf[r] == bottomStory;
  }
  return ends;
}

std::vector<std::string> CombinationTerms(const std::string& combination) {
  std::vector<std::string> terms;
  std::unordered_set<std::string> seen;
  const std::string_view text(combination);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !IsTermBreak(text, i)) continue;
    const std::string_view term =
        TrimBlanks(WithoutFactor(TrimBlanks(text.substr(start, i - start))));
    if (!term.empty()) AddOnce(terms, seen, std::string(term));
    start = i + 1;
  }
  if (terms.empty() && !combination.empty()) terms.push_back(combination);
  return terms;
}

std::vector<std::string> LoadCasesOf(const ForceTable& forces) {
  std::vector<std::string> list;
  std::unordered_set<std::string> seen;
  const Definitions definitions = DefinitionsOf(forces);
  for (const std::string& name : forces.cases) AddLoadCases(name, definitions, 0, list, seen);
  for (const auto& [name, type] : forces.loadCaseTypes) {
    if (Lower(type).compare(0, 5, "modal") != 0) AddOnce(list, seen, name);
  }
  return list;
}

std::vector<std::string> GuessSeismicCases(const ForceTable& forces) {
  std::vector<std::string> guess;
  std::unordered_set<std::string> seen;
  if (!forces.loadCaseTypes.empty()) {
    for (const auto& [name, type] : forces.loadCaseTypes)
      if (IsSeismicType(type)) AddOnce(guess, seen, name);
    return guess;
  }
  for (const std::string& name : LoadCasesOf(forces))
    if (IsUsualSeismicName(name)) AddOnce(guess, seen, name);
  return guess;
}

std::vector<std::string> SeismicCasesOf(const ForceTable& forces, const std::string& text) {
  std::vector<std::string> cases;
  std::unordered_set<std::string> seen;
  std::string normalised = text;
  for (const char* comma : {"，", "；", ";"}) {
    for (std::size_t at = normalised.find(comma); at != std::string::npos;
         at = normalised.find(comma, at))
      normalised.replace(at, std::string_view(comma).size(), ",");
  }
  std::size_t start = 0;
  while (start <= normalised.size()) {
    const std::size_t comma = std::min(normalised.find(',', start), normalised.size());
    AddOnce(cases, seen,
            std::string(TrimBlanks(std::string_view(normalised).substr(start, comma - start))));
    start = comma + 1;
  }
  // "无" (or "none", "-"): the engineer says no case is seismic, which an
  // empty text cannot say, since it asks for the guess.
  if (cases.size() == 1 && (cases[0] == "无" || Lower(cases[0]) == "none" || cases[0] == "-"))
    return {};
  return cases.empty() ? GuessSeismicCases(forces) : cases;
}

std::vector<char> SeismicRecords(const ForceTable& forces, const std::vector<std::string>& cases) {
  const std::size_t size = static_cast<std::size_t>(std::max(forces.Count, 0)) + 1;
  std::vector<char> seismic(size, 0);
  if (forces.caseOf.size() != size || cases.empty()) return seismic;
  const std::vector<char> byCase = SeismicCases(forces, cases);
  for (std::size_t r = 1; r < size; ++r) {
    const int c = forces.caseOf[r];
    if (c >= 0 && static_cast<std::size_t>(c) < byCase.size())
      seismic[r] = byCase[static_cast<std::size_t>(c)];
  }
  return seismic;
}

std::vector<std::string> SeismicCombinations(const ForceTable& forces,
                                             const std::vector<std::string>& cases) {
  std::vector<std::string> combinations;
  if (cases.empty()) return combinations;
  const std::vector<char> byCase = SeismicCases(forces, cases);
  for (std::size_t c = 0; c < byCase.size(); ++c)
    if (byCase[c] != 0) combinations.push_back(forces.cases[c]);
  return combinations;
}

SectionShear ShearAlongXY(const ForceTable& forces, int r, bool factored) {
  if (r < 1 || !forces.HasShear()) return {};
  const auto i = static_cast<std::size_t>(r);
  if (i >= forces.V2.size() || i >= forces.V3.size()) return {};
  const double alongLocal3 = forces.V3[i], alongLocal2 = forces.V2[i];
  SectionShear shear;
  shear.Vx = (forces.momentsSwapped ? alongLocal2 : alongLocal3) * (factored ? forces.fMy : 1);
  shear.Vy = (forces.momentsSwapped ? alongLocal3 : alongLocal2) * (factored ? forces.fMx : 1);
  return shear;
}

}  // namespace kuma
