#pragma once
// The one guard of every slot, event handler and field check: no exception may reach Qt's event
// dispatch. What was caught is logged under qvtrnsfr.ui; the result says whether the work ran to
// its end, so that a check that throws can count as refused.

#include <QLoggingCategory>

#include <exception>

namespace qvtrnsfr {

Q_DECLARE_LOGGING_CATEGORY(lcUi)

template <typename Work> bool runNoThrow(const char *where, Work &&work) noexcept
{
    try {
        work();
        return true;
    } catch (const std::exception &error) {
        qCWarning(lcUi, "%s failed: %s", where, error.what());
    } catch (...) {
        qCWarning(lcUi, "%s failed: unknown exception", where);
    }
    return false;
}

} // namespace qvtrnsfr
