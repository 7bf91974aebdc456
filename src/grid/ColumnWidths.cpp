#include "grid/ColumnWidths.h"

#include "companions/Companions.h"
#include "grid/LineGrid.h"
#include "platform/Numeric.h"

namespace qvtrnsfr {

namespace {

const QString ColumnWidthsKey = QStringLiteral("SOFTWARE\\Quorvane\\Settings\\ICTRNCols");
constexpr double DefaultWidth = 1000;

QString valueName(int column)
{
    return QStringLiteral("Col") + QString::number(column);
}

std::unique_ptr<companions::SettingsStore> openWidthStore(companions::Factory &factory)
{
    auto store = factory.createSettingsStore();
    if (store) {
        store->SetRootKey(companions::CurrentUserRoot);
        store->SetKeyPath(ColumnWidthsKey);
    }
    return store;
}

} // namespace

void LoadColumnWidths(LineGrid &grid, companions::Factory &factory)
{
    const auto store = openWidthStore(factory);
    if (!store)
        return;
    for (int column = 0; column < grid.model()->columnCount(); ++column) {
        store->SetValueName(valueName(column));
        const auto text = store->ValueText();
        if (!text)
            continue;
        const double width = numericValue(*text);
        if (width < 0)
            continue; // not a width: the step fails and the column keeps its width
        grid.setColumnWidthTwips(column, width == 0 ? DefaultWidth : width);
    }
}

void SaveColumnWidths(const LineGrid &grid, companions::Factory &factory)
{
    const auto store = openWidthStore(factory);
    if (!store)
        return;
    for (int column = 0; column < grid.model()->columnCount(); ++column) {
        store->SetValueName(valueName(column));
        // The text form of a single-precision number.
        store->SetValueText(QString::number(static_cast<float>(grid.columnWidthTwips(column)), 'g', 7));
        store->WriteValue();
    }
}

} // namespace qvtrnsfr
