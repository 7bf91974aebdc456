#pragma once
// The header checks a voucher must pass before anything is written.

#include "voucher/Refusal.h"
#include "voucher/Voucher.h"

#include <optional>

namespace qvtrnsfr {

// The rules in order, the first that fails deciding: a source is given, a destination is given,
// the two are different whole numbers (a text that is no number cannot be told apart from the
// other), the total quantity's leading number is not 0. Each refusal is a warning naming the
// field the user must correct (none for the total). The lines are not looked at.
std::optional<Refusal> ValidateDocument(const Voucher &voucher);

} // namespace qvtrnsfr
