#pragma once
// The logging category of the companion components: every call that fails and is skipped is
// logged here, so that an administrator can see what the user did not.

#include <QLoggingCategory>

namespace companions {

Q_DECLARE_LOGGING_CATEGORY(lcCompanions)

} // namespace companions
