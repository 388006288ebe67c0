#include "listing/clean_steps.h"

#include <utility>

#include "text/markers.h"
#include "text/search.h"

namespace jixia {

CleanStep ReplaceAll(Text find, Text with) {
  return {CleanStep::Kind::ReplaceAll, std::move(find), std::move(with), {}, {}};
}

CleanStep KeepBefore(Text marker) {
  return {CleanStep::Kind::KeepBefore, std::move(marker), {}, {}, {}};
}

CleanStep KeepAfterLast(Text marker) {
  return {CleanStep::Kind::KeepAfterLast, std::move(marker), {}, {}, {}};
}

CleanStep KeepBetween(Text left, Text right) {
  return {CleanStep::Kind::KeepBetween, std::move(left), std::move(right), {}, {}};
}

CleanStep IfContains(Text probe, std::vector<CleanStep> then, std::vector<CleanStep> otherwise) {
  return {CleanStep::Kind::IfContains, std::move(probe), {}, std::move(then), std::move(otherwise)};
}

Text ApplySteps(const std::vector<CleanStep>& steps, Text value) {
  for (const CleanStep& step : steps) {
    switch (step.kind) {
      case CleanStep::Kind::ReplaceAll:
        value = ReplaceAllText(value, step.first, step.second);
        break;
      case CleanStep::Kind::KeepBefore:
        value = TextBefore(value, step.first);
        break;
      case CleanStep::Kind::KeepAfterLast:
        value = TextAfterLast(value, step.first);
        break;
      case CleanStep::Kind::KeepBetween:
        value = TextBetween(value, step.first, step.second);
        break;
      case CleanStep::Kind::IfContains: {
        const bool contains = ContainsText(value, step.first);
        value = ApplySteps(contains ? step.then : step.otherwise, std::move(value));
        break;
      }
    }
  }
  return value;
}

}  // namespace jixia
