#pragma once
// Runs one piece of the grid's event handling so that no exception leaves it: Qt's event dispatch
// must never see one. What was caught is logged; the result says whether the piece ran to its end.

#include <QLoggingCategory>

#include <exception>

namespace qvtrnsfr {

Q_DECLARE_LOGGING_CATEGORY(lcGrid)

template <typename Work> bool runNoThrow(const char *where, Work &&work) noexcept
{
    try {
        work();
        return true;
    } catch (const std::exception &error) {
        qCWarning(lcGrid, "%s: %s", where, error.what());
    } catch (...) {
        qCWarning(lcGrid, "%s: unknown exception", where);
    }
    return false;
}

} // namespace qvtrnsfr
