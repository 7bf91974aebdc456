#include "MonkeyScript.h"

#include <QFile>
#include <QTextStream>
#include <random>

const QList<MonkeyKey> &monkeyKeys()
{
    using Qt::NoModifier;
    // clang-format off
    static const QList<MonkeyKey> keys = {
        {Qt::Key_Tab, NoModifier, "Tab"}, {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
        {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"}, {Qt::Key_Left, NoModifier, "Left"},
        {Qt::Key_Right, NoModifier, "Right"}, {Qt::Key_Up, NoModifier, "Up"},
        {Qt::Key_Down, NoModifier, "Down"}, {Qt::Key_Home, NoModifier, "Home"}, {Qt::Key_End, NoModifier, "End"},
        {Qt::Key_PageUp, NoModifier, "PageUp"}, {Qt::Key_PageDown, NoModifier, "PageDown"},
        {Qt::Key_Return, NoModifier, "Enter"}, {Qt::Key_Escape, NoModifier, "Esc"}, {Qt::Key_F4, NoModifier, "F4"},
        {Qt::Key_Down, Qt::AltModifier, "Alt+Down"}, {Qt::Key_Delete, NoModifier, "Delete"},
        {Qt::Key_Backspace, NoModifier, "Backspace"}, {Qt::Key_Space, NoModifier, "Space"},
        {Qt::Key_F2, NoModifier, "F2"}, {Qt::Key_A, Qt::AltModifier, "Alt+A"}, {Qt::Key_S, Qt::AltModifier, "Alt+S"},
        {Qt::Key_D, Qt::AltModifier, "Alt+D"}, {Qt::Key_C, Qt::AltModifier, "Alt+C"}};
    // clang-format on
    return keys;
}

const QString &monkeyChars()
{
    static const QString chars = QStringLiteral("0123456789-.+ax ");
    return chars;
}

// Locations (7 unknown), item codes typed through the mask and scanned, quantities, units and
// document numbers: what a clerk types, so that lines pass and vouchers get saved.
const QStringList &monkeyWords()
{
    static const QStringList words =
        QStringLiteral(
            "1 2 3 4 7 1000000001 1100000002 1200000003 1300000001 1400000002 1500000001 BC-100001 "
            "10-00-00-0002 1100000001 5 12 1.5 250 -1 0 BOX CAN PCS XX 12abc")
            .split(' ');
    return words;
}

const QStringList &monkeyFields()
{
    static const QStringList fields =
        QStringLiteral(
            "lblSegID cmdFindCC txtFromLocID txtFromLocName Label24 Label1 txtReqNo cmdRef cmdFindPo "
            "cmdNew cmdFindDoc txtDocNo Label5 txtToLocID cmdFindLoc txtToLocName Label2 dtpDocDate "
            "Label3 txtNarration Label6 txtOrdNo grdDetail chkScanMode Label9 txtTotalQty chkPrice "
            "cboPriceList cmdPrintGLVoucher cmdSave cmdDelete cmdClose")
            .split(' ');
    return fields;
}

const QStringList &monkeyUsers()
{
    static const QStringList users = {"demo", "branch", "serial", "free"};
    return users;
}

namespace {

const char *const KindNames[] = {"key", "char", "type", "click", "double-click", "macro", "session"};
const char *const TargetNames[] = {"field", "cell", "cell-button", "header", "row-selector"};
const char *const MacroNames[] = {"header", "line", "scanned line", "recall", "save"};

// How often each kind is drawn, in parts of 100.
constexpr int Weights[MonkeyAction::KindCount] = {28, 12, 14, 28, 6, 11, 1};

template <typename List> auto pick(const List &list, quint32 index)
{
    return list.at(int(index % list.size()));
}

} // namespace

QString MonkeyAction::toLine() const
{
    return QStringLiteral("%1 %2 %3 %4 %5").arg(kind).arg(a).arg(b).arg(c).arg(answers);
}

std::optional<MonkeyAction> MonkeyAction::fromLine(const QString &line)
{
    const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
    quint32 values[5];
    bool ok = parts.size() == 5;
    for (int i = 0; ok && i < 5; ++i)
        values[i] = parts.at(i).toUInt(&ok);
    if (!ok || values[0] >= KindCount)
        return std::nullopt;
    return MonkeyAction{int(values[0]), values[1], values[2], values[3], values[4]};
}

QString MonkeyAction::describe() const
{
    const QString name = QLatin1String(KindNames[kind]) + (isDirect() && kind != Session ? "*" : "");
    const auto target = MonkeyTarget(a % int(MonkeyTarget::Count));
    switch (kind) {
    case Key:
        return name + ' ' + pick(monkeyKeys(), a).name;
    case Char:
        return name + " '" + pick(monkeyChars(), a) + '\'';
    case Text:
        return name + ' ' + pick(monkeyWords(), a) + (b % 2 ? ", Enter" : "");
    case Click:
    case DoubleClick:
        return name + ' ' + TargetNames[int(target)] +
               (target == MonkeyTarget::Field ? ' ' + pick(monkeyFields(), b)
                                              : QStringLiteral(" %1:%2").arg(b).arg(c));
    case Macro:
        return name + ' ' + MacroNames[a % 5] + QStringLiteral(" (%1, %2)").arg(b).arg(c);
    default: // Session
        return name + (b % 2 ? " edit" : " add") + " as " + pick(monkeyUsers(), c);
    }
}

QList<MonkeyAction> generateActions(quint32 seed, int count)
{
    std::mt19937 random(seed);
    QList<MonkeyAction> actions;
    for (int i = 0; i < count; ++i) {
        int roll = int(random() % 100);
        int kind = 0;
        while (roll >= Weights[kind])
            roll -= Weights[kind++];
        actions.append({kind, quint32(random()), quint32(random()), quint32(random()), quint32(random())});
    }
    return actions;
}

bool writeScript(const QString &path, const QList<MonkeyAction> &actions)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    for (const MonkeyAction &action : actions)
        out << action.toLine() << "    # " << action.describe() << '\n';
    return out.status() == QTextStream::Ok;
}

std::optional<QList<MonkeyAction>> readScript(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QList<MonkeyAction> actions;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().section('#', 0, 0).trimmed();
        const auto action = MonkeyAction::fromLine(line);
        if (!line.isEmpty() && !action)
            return std::nullopt;
        if (action)
            actions.append(*action);
    }
    return actions;
}
