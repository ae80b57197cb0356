#include "cards/pattern_type.h"

#include <string>

#include "platform/runtime/failure.h"

namespace cards {

PatternType CheckPatternType(int value) {
    if (value < Ordinal(PatternType::PatternInvalid) ||
        value > Ordinal(PatternType::PatternAcePair)) {
        platform::fail(platform::RuntimeFailure::Kind::InvalidArgument,
                       "not a play pattern: " + std::to_string(value));
    }
    return static_cast<PatternType>(value);
}

}  // namespace cards
