#include "forces/members.h"

namespace kuma {

std::vector<MemberEnds> FindMemberEnds(const ForceTable& forces) {
  (void)forces;
  return {};
}

std::vector<std::string> CombinationTerms(const std::string& combination) { return {combination}; }

std::vector<std::string> LoadCasesOf(const ForceTable& forces) { return forces.cases; }

std::vector<std::string> GuessSeismicCases(const ForceTable& forces) {
  (void)forces;
  return {};
}

std::vector<std::string> SeismicCasesOf(const ForceTable& forces, const std::string& text) {
  (void)text;
  return GuessSeismicCases(forces);
}

std::vector<char> SeismicRecords(const ForceTable& forces, const std::vector<std::string>& cases) {
  (void)cases;
  return std::vector<char>(static_cast<std::size_t>(forces.Count) + 1, 0);
}

std::vector<std::string> SeismicCombinations(const ForceTable& forces,
                                             const std::vector<std::string>& cases) {
  (void)forces;
  (void)cases;
  return {};
}

}  // namespace kuma
