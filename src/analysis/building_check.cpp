#include "analysis/building_check.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <limits>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "analysis/ratio_bands.h"
#include "model/errors.h"
#include "model/section_library.h"

namespace kuma {

namespace {

constexpr int kChunk = 4096;
constexpr double kUnknownRatio = std::numeric_limits<double>::quiet_NaN();

// Resolves a rule's section name to a library position, noting names the
// library does not hold (once each).
int Resolve(const std::string& name, const SectionLibrary& library,
            std::vector<std::string>& unknown) {
  if (name.empty()) return -1;
  const int index = library.Find(name);
  if (index < 0 && std::find(unknown.begin(), unknown.end(), name) == unknown.end())
    unknown.push_back(name);
  return index;
}

// True when library section `index` awaits its bars; its name is noted once.
bool AwaitingBars(const SectionLibrary& library, int index, std::vector<std::string>& names) {
  if (index < 0) return false;
  const LibrarySection& s = library.sections[static_cast<std::size_t>(index)];
  if (!AwaitsBars(s)) return false;
  if (std::find(names.begin(), names.end(), s.name) == names.end()) names.push_back(s.name);
  return true;
}

int PositionAt(const std::vector<int>& of, int r) {
  return static_cast<std::size_t>(r) < of.size() ? of[static_cast<std::size_t>(r)] : -1;
}

}  // namespace

std::string StoryName(const ForceTable& forces, int story) {
  return story >= 0 && static_cast<std::size_t>(story) < forces.stories.size()
             ? forces.stories[static_cast<std::size_t>(story)]
             : std::string();
}

std::string ColumnName(const ForceTable& forces, int column) {
  return column >= 0 && static_cast<std::size_t>(column) < forces.columns.size()
             ? forces.columns[static_cast<std::size_t>(column)]
             : std::string();
}

BuildingCheck PlanBuildingCheck(const ForceTable& forces, const SectionLibrary& library) {
  const int count = CheckedCount(forces);
  if (count <= 0) throw Error("没有导入内力组合，无法验算");
  if (library.sections.empty()) throw Error("截面库是空的，无法验算");
  std::vector<AssignmentRule> rules = library.rules;
  if (rules.empty()) {
    const int only = library.current >= 0 ? library.current
                                          : (library.sections.size() == 1 ? 0 : -1);
    if (only < 0) throw Error("没有截面指定，截面库中又有多个截面：请指定各柱的截面");
    rules.push_back({"*", "*", library.sections[static_cast<std::size_t>(only)].name, {}});
  }

  BuildingCheck check;
  check.columnOfRecord.assign(static_cast<std::size_t>(count) + 1, -1);
  std::unordered_map<long long, int> entries;
  long long lastKey = -2;
  int lastEntry = -1;
  const long long width = static_cast<long long>(forces.columns.size()) + 1;
  for (int r = 1; r <= count; ++r) {
    const int story = PositionAt(forces.storyOf, r), column = PositionAt(forces.columnOf, r);
    const long long key = (story + 1LL) * width + (column + 1LL);
    if (key != lastKey) {
      auto found = entries.emplace(key, static_cast<int>(check.columns.size()));
      if (found.second) {
        BuildingColumn c;
        c.story = story;
        c.column = column;
        if (const AssignmentRule* rule =
                MatchRule(rules, StoryName(forces, story), ColumnName(forces, column))) {
          c.section = rule->section;
          c.section2 = rule->section2;
          c.sectionIndex = Resolve(c.section, library, check.unknownSections);
          c.section2Index = Resolve(c.section2, library, check.unknownSections);
          c.unreinforced = AwaitingBars(library, c.sectionIndex, check.unreinforcedSections);
          c.unreinforced2 = AwaitingBars(library, c.section2Index, check.unreinforcedSections);
          if (!c.section2.empty()) check.hasSecond = true;
        }
        check.columns.push_back(std::move(c));
      }
      lastKey = key;
      lastEntry = found.first->second;
    }
    check.columnOfRecord[static_cast<std::size_t>(r)] = lastEntry;
    ++check.columns[static_cast<std::size_t>(lastEntry)].combinations;
  }
  return check;
}

std::vector<std::string> SectionsOfColumns(const BuildingCheck& check) {
  std::vector<std::string> names;
  for (const BuildingColumn& c : check.columns) {
    for (const std::string* name : {&c.section, &c.section2}) {
      if (!name->empty() && std::find(names.begin(), names.end(), *name) == names.end())
        names.push_back(*name);
    }
  }
  return names;
}

std::vector<int> SectionsNeeded(const BuildingCheck& plan) {
  std::vector<int> needed;
  for (const BuildingColumn& c : plan.columns) {
    if (c.sectionIndex >= 0 && !c.unreinforced) needed.push_back(c.sectionIndex);
    if (c.section2Index >= 0 && !c.unreinforced2) needed.push_back(c.section2Index);
  }
  std::sort(needed.begin(), needed.end());
  needed.erase(std::unique(needed.begin(), needed.end()), needed.end());
  return needed;
}

namespace {

template <typename T>
T AtPosition(const std::vector<T>& v, int position) {
  return position >= 0 && static_cast<std::size_t>(position) < v.size()
             ? v[static_cast<std::size_t>(position)]
             : T{};
}

// The code check of one record against its column's section, when the
// column is checked by the code.
// `plain` is the record's radial ratio on the same surface, NaN when unknown.
double CodeRatioOf(const BuildingCodeInputs& code, const BuildingColumn& c,
                   const std::vector<const SurfaceIndex*>& radial, const ForceTable& forces, int r,
                   double plain, CodeClause* clause = nullptr) {
  const auto at = static_cast<std::size_t>(r);
  const auto position = static_cast<std::size_t>(c.sectionIndex);
  const CodeRow row = CodeCheckRow(*code.sections[position], code.settings, *radial[position],
                                   forces, r, at < code.seismic.size() && code.seismic[at] != 0,
                                   at < code.ends.size() ? &code.ends[at] : nullptr, plain);
  if (clause != nullptr) *clause = row.clause;
  return row.ratioCode;
}

// The same casting the record's plain ray (`ray`, made ready on the
// section's radial surface) too: its ratio into `plainRadial`.
double CodeRatioOf(const BuildingCodeInputs& code, const BuildingColumn& c,
                   const std::vector<const SurfaceIndex*>& radial, const ForceTable& forces, int r,
                   const SurfaceIndex::RadialRay& ray, double& plainRadial) {
  const auto at = static_cast<std::size_t>(r);
  const auto position = static_cast<std::size_t>(c.sectionIndex);
  return CodeCheckRowWithPlain(*code.sections[position], code.settings, *radial[position], forces,
                               r, at < code.seismic.size() && code.seismic[at] != 0,
                               at < code.ends.size() ? &code.ends[at] : nullptr, ray, plainRadial)
      .ratioCode;
}

// The ratios of the records on `threads` threads (the calling thread
// reports when told to).
void RateRecords(BuildingCheck& check, const ForceTable& forces,
                 const std::vector<const SurfaceIndex*>& indexes, int method,
                 const BuildingCodeInputs* code, const std::vector<const SurfaceIndex*>& radial,
                 int threads, const std::function<void(long long)>& tick,
                 const std::function<bool()>& stop) {
  const int count = static_cast<int>(check.columnOfRecord.size()) - 1;
  const int chunks = (count + kChunk - 1) / kChunk;
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::max(1, std::min(threads, chunks));
  std::atomic<int> next{0};
  std::atomic<long long> done{0};
  std::atomic<bool> halt{false};
  // The surface of a record whose plain ray the code check casts with its
  // own (the code's ray on the surface of the section ratio); nullptr for
  // the others.
  auto paired = [&](int r) -> const SurfaceIndex* {
    const BuildingColumn& c =
        check.columns[static_cast<std::size_t>(check.columnOfRecord[static_cast<std::size_t>(r)])];
    if (code == nullptr || !c.codeChecked || !c.checked || method != kRadialMethod) return nullptr;
    const SurfaceIndex* first = AtPosition(indexes, c.sectionIndex);
    return first == radial[static_cast<std::size_t>(c.sectionIndex)] ? first : nullptr;
  };
  auto work = [&] {
    // The paired rays of the next records made ready and their loads
    // started a step per record, so that they have arrived when the record
    // is rated.
    constexpr int kAhead = 4, kSlots = 8;
    struct Slot {
      const SurfaceIndex* index = nullptr;
      SurfaceIndex::RadialRay ray;
    } slots[kSlots];
    int last = 0;
    auto ready = [&](int r) {
      Slot& slot = slots[r % kSlots];
      slot.index = r <= last ? paired(r) : nullptr;
      if (slot.index != nullptr) slot.ray = slot.index->PrepareRadial(DemandOf(forces, r));
    };
    auto fetch = [&](int r, int stage) {
      const Slot& slot = slots[r % kSlots];
      if (r <= last && slot.index != nullptr) slot.index->PrefetchRadial(slot.ray, stage);
    };
    for (int k; !halt.load(std::memory_order_relaxed) && (k = next.fetch_add(1)) < chunks;) {
      last = std::min(count, (k + 1) * kChunk);
      for (int r = k * kChunk + 1; r < k * kChunk + 1 + kAhead; ++r) ready(r);
      for (int r = k * kChunk + 1; r <= last; ++r) {
        ready(r + kAhead);
        for (int stage = 0; stage < 4; ++stage) fetch(r + kAhead - stage, stage);
        const auto at = static_cast<std::size_t>(r);
        const BuildingColumn& c = check.columns[static_cast<std::size_t>(check.columnOfRecord[at])];
        const SurfaceIndex* first = c.checked ? AtPosition(indexes, c.sectionIndex) : nullptr;
        const SurfaceIndex* second = c.checked2 ? AtPosition(indexes, c.section2Index) : nullptr;
        if (first == nullptr && second == nullptr) continue;
        const SurfacePoint demand = DemandOf(forces, r);
        const Slot& slot = slots[r % kSlots];
        if (first != nullptr && slot.index == nullptr)
          check.ratio[at] = first->Ratio(method, demand);
        if (second != nullptr) check.ratio2[at] = second->Ratio(method, demand);
        if (slot.index != nullptr) {
          check.ratioCode[at] = CodeRatioOf(*code, c, radial, forces, r, slot.ray, check.ratio[at]);
        } else if (code != nullptr && c.codeChecked) {
          check.ratioCode[at] = CodeRatioOf(*code, c, radial, forces, r, kUnknownRatio);
        }
      }
      done.fetch_add(last - k * kChunk, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) {
    try {
      workers.emplace_back(work);
    } catch (const std::system_error&) {
      break;
    }
  }
  if (!tick && !stop) {
    work();
  } else {
    // The calling thread follows the workers, so that the window stays alive.
    std::thread last(work);
    while (done.load() < count && !halt.load()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (stop && stop()) halt = true;
      if (tick) tick(done.load());
    }
    last.join();
  }
  for (std::thread& w : workers) w.join();
  if (halt) throw Cancelled();
}

// Each column's largest ratio (the first in table order among equals) and
// the summary counts.
void SummariseColumns(BuildingCheck& check) {
  const int count = static_cast<int>(check.columnOfRecord.size()) - 1;
  check.failures = 0;
  check.uncheckedColumns = 0;
  check.uncheckedRows = 0;
  check.governingColumn = -1;
  for (int r = 1; r <= count; ++r) {
    BuildingColumn& c =
        check.columns[static_cast<std::size_t>(check.columnOfRecord[static_cast<std::size_t>(r)])];
    const double ratio = check.ratio[static_cast<std::size_t>(r)];
    if (c.checked && (c.governing == 0 || ratio > c.maxRatio)) {
      c.maxRatio = ratio;
      c.governing = r;
    }
    if (c.checked2) {
      const double ratio2 = check.ratio2[static_cast<std::size_t>(r)];
      if (c.governing2 == 0 || ratio2 > c.maxRatio2) {
        c.maxRatio2 = ratio2;
        c.governing2 = r;
      }
    }
  }
  for (std::size_t i = 0; i < check.columns.size(); ++i) {
    const BuildingColumn& c = check.columns[i];
    if (!c.checked) {
      ++check.uncheckedColumns;
      check.uncheckedRows += c.combinations;
      continue;
    }
    if (!RatioSatisfied(c.maxRatio)) ++check.failures;
    if (check.governingColumn < 0 ||
        c.maxRatio > check.columns[static_cast<std::size_t>(check.governingColumn)].maxRatio)
      check.governingColumn = static_cast<int>(i);
  }
}

// The same by the code ratio; the clause of each column's governing record
// worked again; the remarks.
void SummariseCode(BuildingCheck& check, const ForceTable& forces, const BuildingCodeInputs& code,
                   const std::vector<const SurfaceIndex*>& radial) {
  const int count = static_cast<int>(check.columnOfRecord.size()) - 1;
  check.codeFailures = 0;
  check.governingCodeColumn = -1;
  bool lengthless = false, slender = false;
  for (int r = 1; r <= count; ++r) {
    const auto at = static_cast<std::size_t>(r);
    BuildingColumn& c = check.columns[static_cast<std::size_t>(check.columnOfRecord[at])];
    if (!c.codeChecked) continue;
    if (c.governingCode == 0 || check.ratioCode[at] > c.maxRatioCode) {
      c.maxRatioCode = check.ratioCode[at];
      c.governingCode = r;
    }
    const MemberEnds* ends = at < code.ends.size() ? &code.ends[at] : nullptr;
    if (!lengthless && code.settings.length <= 0 && (ends == nullptr || ends->length <= 0))
      lengthless = true;
    if (!slender && BeyondStabilityTable(*code.sections[static_cast<std::size_t>(c.sectionIndex)],
                                         CalculationLength(code.settings, ends)))
      slender = true;
  }
  for (std::size_t i = 0; i < check.columns.size(); ++i) {
    BuildingColumn& c = check.columns[i];
    if (!c.codeChecked || c.governingCode == 0) continue;
    CodeRatioOf(code, c, radial, forces, c.governingCode, kUnknownRatio, &c.clauseCode);
    if (!RatioSatisfied(c.maxRatioCode)) ++check.codeFailures;
    if (check.governingCodeColumn < 0 ||
        c.maxRatioCode >
            check.columns[static_cast<std::size_t>(check.governingCodeColumn)].maxRatioCode)
      check.governingCodeColumn = static_cast<int>(i);
  }
  check.codeRemarks.clear();
  if (!forces.HasStations() || code.ends.empty()) check.codeRemarks.push_back(kNoStationsRemark);
  if (lengthless) check.codeRemarks.push_back(kNoLengthRemark);
  if (slender) check.codeRemarks.push_back(kSlendernessRemark);
}

void Rate(BuildingCheck& check, const ForceTable& forces,
          const std::vector<const SurfaceIndex*>& indexes, int method,
          const BuildingCodeInputs* code, int threads, const std::function<void(long long)>& tick,
          const std::function<bool()>& stop) {
  check.method = method;
  check.ratio.assign(check.columnOfRecord.size(), 0);
  check.ratio2.assign(check.hasSecond ? check.columnOfRecord.size() : 0, 0);
  check.codeCheck = code != nullptr;
  check.ratioCode.assign(code != nullptr ? check.columnOfRecord.size() : 0, 0);
  const std::vector<const SurfaceIndex*>& radial =
      code != nullptr && !code->radial.empty() ? code->radial : indexes;
  for (BuildingColumn& c : check.columns) {
    c.checked = !c.unreinforced && AtPosition(indexes, c.sectionIndex) != nullptr;
    c.checked2 = !c.unreinforced2 && AtPosition(indexes, c.section2Index) != nullptr;
    c.maxRatioCode = 0;
    c.governingCode = 0;
    c.clauseCode = CodeClause::kSection;
    c.codeChecked = code != nullptr && c.checked && AtPosition(radial, c.sectionIndex) != nullptr &&
                    AtPosition(code->sections, c.sectionIndex) != nullptr;
  }
  RateRecords(check, forces, indexes, method, code, radial, threads, tick, stop);
  SummariseColumns(check);
  if (code != nullptr) SummariseCode(check, forces, *code, radial);
}

}  // namespace

void RateBuilding(BuildingCheck& check, const ForceTable& forces,
                  const std::vector<const SurfaceIndex*>& indexes, int method, int threads,
                  const std::function<void(long long)>& tick, const std::function<bool()>& stop) {
  Rate(check, forces, indexes, method, nullptr, threads, tick, stop);
}

void RateBuilding(BuildingCheck& check, const ForceTable& forces,
                  const std::vector<const SurfaceIndex*>& indexes, int method,
                  const BuildingCodeInputs& code, int threads,
                  const std::function<void(long long)>& tick, const std::function<bool()>& stop) {
  Rate(check, forces, indexes, method, &code, threads, tick, stop);
}

namespace {

// A column's ratio as the check ranks it: the code's when the code check ran.
bool Ranked(const BuildingCheck& check, const BuildingColumn& c) {
  return check.codeCheck ? c.codeChecked : c.checked;
}
double RankRatio(const BuildingCheck& check, const BuildingColumn& c) {
  return check.codeCheck ? c.maxRatioCode : c.maxRatio;
}

}  // namespace

std::vector<int> ColumnsByRatio(const BuildingCheck& check) {
  std::vector<int> order(check.columns.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&check](int a, int b) {
    const BuildingColumn& x = check.columns[static_cast<std::size_t>(a)];
    const BuildingColumn& y = check.columns[static_cast<std::size_t>(b)];
    if (Ranked(check, x) != Ranked(check, y)) return Ranked(check, x);
    return Ranked(check, x) && RankRatio(check, x) > RankRatio(check, y);
  });
  return order;
}

std::vector<StoryRow> StoryRows(const BuildingCheck& check) {
  std::vector<StoryRow> rows;
  for (std::size_t i = 0; i < check.columns.size(); ++i) {
    const BuildingColumn& c = check.columns[i];
    auto row = std::find_if(rows.begin(), rows.end(),
                            [&c](const StoryRow& r) { return r.story == c.story; });
    if (row == rows.end()) row = rows.insert(rows.end(), StoryRow{c.story, static_cast<int>(i)});
    ++row->columns;
    if (!c.checked) {
      ++row->unchecked;
      continue;
    }
    // The first checked column, then any with a larger ratio, governs.
    const BuildingColumn& best = check.columns[static_cast<std::size_t>(row->entry)];
    if (!Ranked(check, best) || (Ranked(check, c) && RankRatio(check, c) > RankRatio(check, best)))
      row->entry = static_cast<int>(i);
  }
  return rows;
}

std::vector<int> GoverningPerStory(const BuildingCheck& check) {
  std::vector<int> best;
  for (const StoryRow& row : StoryRows(check))
    if (row.Checked()) best.push_back(row.entry);
  return best;
}

}  // namespace kuma
