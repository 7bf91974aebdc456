#include "grid/GridSetup.h"

#include "control/TransferControl.h"
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

std::unique_ptr<companions::SettingsStore> openWidthStore(TransferControl &ctl)
{
    auto store = ctl.factory().createSettingsStore();
    if (store) {
        store->SetRootKey(companions::CurrentUserRoot);
        store->SetKeyPath(ColumnWidthsKey);
    }
    return store;
}

} // namespace

void SetupGrid(TransferControl &ctl)
{
    ctl.LineColumnCount = LineColumns;
    ctl.form.grdDetail->setupColumns();
    LoadColumnWidths(ctl);
    ctl.ResetForm();
}

void LoadColumnWidths(TransferControl &ctl)
{
    const auto store = openWidthStore(ctl);
    if (!store)
        return;
    LineGrid *grid = ctl.form.grdDetail;
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        store->SetValueName(valueName(column));
        const auto text = store->ValueText();
        if (!text)
            continue;
        const double width = numericValue(*text);
        if (width < 0)
            continue; // not a width: the step fails and the column keeps its width
        grid->setColumnWidthTwips(column, width == 0 ? DefaultWidth : width);
    }
}

void SaveColumnWidths(TransferControl &ctl)
{
    const auto store = openWidthStore(ctl);
    if (!store)
        return;
    LineGrid *grid = ctl.form.grdDetail;
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        store->SetValueName(valueName(column));
        // The text form of a single-precision number.
        store->SetValueText(QString::number(static_cast<float>(grid->columnWidthTwips(column)), 'g', 7));
        store->WriteValue();
    }
}

} // namespace qvtrnsfr
