#include "model/code_result.h"

namespace kuma {

const char* CodeClauseName(CodeClause clause) {
  switch (clause) {
    case CodeClause::kAxialCap:
      return "轴压上限";
    case CodeClause::kSecondOrder:
      return "二阶效应";
    default:
      return "截面";
  }
}

}  // namespace kuma
