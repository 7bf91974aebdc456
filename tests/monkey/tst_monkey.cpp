// The randomized input run ("monkey"): thousands of keys, clicks and double clicks over the whole
// form, with every message box and pick list answered at random, on SQLite and on PostgreSQL. Each
// script plays in a child process of this program under the sanitizers; when it fails, the
// script is cut down to the shortest tail that still fails, which is printed and written to a
// file to replay.
//
//   QVT_MONKEY_SEED=n      plays the script of that seed (printed by every run)
//   QVT_MONKEY_COUNT=n     actions per engine (default below)
//   QVT_MONKEY_REPLAY=F    plays the script in file F (as written after a failure)
//   QVT_MONKEY_SCRIPT=F    writes the script played to file F
//   QVT_MONKEY_TRACE=1     the child prints every action as it plays it

#include "MonkeyPlayer.h"
#include "MonkeyScript.h"
#include "support/EventGuard.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int DefaultCount = 3000;
// A child that neither ends nor fails hangs in a loop or waits for an answer that never comes.
constexpr int FullRunTimeoutMs = 10 * 60 * 1000;
constexpr int ShrinkRunTimeoutMs = 2 * 60 * 1000;
constexpr qint64 ShrinkBudgetMs = 6 * 60 * 1000;

const char PlayVariable[] = "QVT_MONKEY_PLAY";
const char EngineVariable[] = "QVT_MONKEY_ENGINE";

struct ChildRun {
    bool passed = false;
    QString fault;       // the first line that tells what failed, numbers left out
    QString output;      // the child's last lines
    int lastPlayed = -1; // the action after which a check failed, when one did
};

ChildRun runChild(TestDatabase::Engine engine, const QList<MonkeyAction> &script, int timeoutMs)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("script.txt"));
    if (!writeScript(path, script))
        return {false, QStringLiteral("the script could not be written"), {}};
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(PlayVariable), path);
    environment.insert(QLatin1String(EngineVariable), TestDatabase::engineName(engine));
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.warning=false"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {});
    const bool ended = child.waitForFinished(timeoutMs);
    if (!ended)
        child.kill(), child.waitForFinished();
    const QString output = QString::fromLocal8Bit(child.readAll());
    static const QRegularExpression afterAction(QStringLiteral("\\(after action ([0-9]+):"));
    const QRegularExpressionMatch after = afterAction.match(output);
    ChildRun run{ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 ended ? QStringLiteral("exit code %1").arg(child.exitCode()) : QStringLiteral("hung"),
                 output.right(6000), after.hasMatch() ? after.captured(1).toInt() : -1};
    // The fault is the line that names it, with addresses, numbers and the action it followed left
    // out, so that the same fault after another action is recognised.
    static const QRegularExpression marker(
        QStringLiteral("MONKEY FAIL|AddressSanitizer|LeakSanitizer|runtime error|destroyed during|FAIL!|"
                       "QFATAL|ASSERT|Fatal|Segmentation"));
    static const QRegularExpression numbers(QStringLiteral("0x[0-9a-f]+|[0-9]+"));
    static const QRegularExpression afterText(QStringLiteral(" \\(after action .*$"));
    for (const QString &line : output.split('\n')) {
        if (ended && line.contains(marker)) {
            run.fault = QString(line).remove(afterText).replace(numbers, QStringLiteral("#")).trimmed();
            break;
        }
    }
    if (run.passed)
        run.fault.clear();
    return run;
}

// The shortest tail of the script that still fails the same way, then without the runs of actions
// and the single actions it does not need, as far as the time allows.
QList<MonkeyAction> shrink(TestDatabase::Engine engine, const QList<MonkeyAction> &script,
                           const QString &fault)
{
    QElapsedTimer clock;
    clock.start();
    // Two runs of one script may differ a little (a triple click is told by the clock), so a
    // candidate that passes once gets a second run.
    const auto fails = [&](const QList<MonkeyAction> &candidate) {
        for (int attempt = 0; attempt < 2 && clock.elapsed() < ShrinkBudgetMs; ++attempt) {
            if (runChild(engine, candidate, ShrinkRunTimeoutMs).fault == fault)
                return true;
        }
        return false;
    };
    const int count = int(script.size());
    int shortest = count;
    int passing = 0; // the longest tail known to pass
    for (int length = 1; length < count; length *= 2) {
        if (fails(script.mid(count - length))) {
            shortest = length;
            break;
        }
        passing = length;
    }
    while (shortest - passing > 1) {
        const int middle = (passing + shortest) / 2;
        (fails(script.mid(count - middle)) ? shortest : passing) = middle;
    }
    QList<MonkeyAction> kept = script.mid(count - shortest);
    for (int chunk = int(kept.size()) / 2; chunk >= 1; chunk /= 2) {
        for (int i = 0; i + chunk <= kept.size() && kept.size() > 1 && clock.elapsed() < ShrinkBudgetMs;) {
            QList<MonkeyAction> without = kept;
            without.remove(i, chunk);
            if (fails(without))
                kept = without;
            else
                i += chunk;
        }
    }
    return kept;
}

int playChild()
{
    const auto script = readScript(qEnvironmentVariable(PlayVariable));
    if (!script) {
        qCritical("MONKEY FAIL: cannot read the script %s", qPrintable(qEnvironmentVariable(PlayVariable)));
        return 2;
    }
    const bool postgres =
        qEnvironmentVariable(EngineVariable) == TestDatabase::engineName(TestDatabase::Postgres);
    return playScript(postgres ? TestDatabase::Postgres : TestDatabase::Sqlite, *script);
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomInput_data() { addEngineColumn(); }

    void randomInput()
    {
        QFETCH(TestDatabase::Engine, engine);
        QVT_SKIP_UNLESS_AVAILABLE(engine);
        bool given = false;
        const quint32 seed = qEnvironmentVariable("QVT_MONKEY_SEED").toUInt(&given);
        const quint32 used = given ? seed : QRandomGenerator::global()->generate();
        bool counted = false;
        const int count = qEnvironmentVariableIntValue("QVT_MONKEY_COUNT", &counted);
        QList<MonkeyAction> script = generateActions(used, counted && count > 0 ? count : DefaultCount);
        const QString replay = qEnvironmentVariable("QVT_MONKEY_REPLAY");
        if (!replay.isEmpty()) {
            const auto read = readScript(replay);
            QVERIFY2(read, qPrintable("cannot read " + replay));
            script = *read;
            qInfo("%s: %d actions from %s", qPrintable(TestDatabase::engineName(engine)), int(script.size()),
                  qPrintable(replay));
        } else {
            qInfo("%s: seed %u, %d actions; QVT_MONKEY_SEED=%u plays them again",
                  qPrintable(TestDatabase::engineName(engine)), used, int(script.size()), used);
        }
        if (const QString keep = qEnvironmentVariable("QVT_MONKEY_SCRIPT"); !keep.isEmpty())
            QVERIFY(writeScript(keep, script));

        const ChildRun run = runChild(engine, script, FullRunTimeoutMs);
        if (run.passed)
            return;
        qInfo("failed: %s; shrinking the script", qPrintable(run.fault));
        // What followed the action after which a check failed played no part.
        const QList<MonkeyAction> played = run.lastPlayed >= 0 ? script.first(run.lastPlayed + 1) : script;
        const QList<MonkeyAction> tail = shrink(engine, played, run.fault);
        const ChildRun last = runChild(engine, tail, ShrinkRunTimeoutMs);
        const QString file = QDir::temp().filePath(
            QStringLiteral("qvt-monkey-%1-%2.txt").arg(TestDatabase::engineName(engine)).arg(used));
        writeScript(file, tail);
        QStringList steps;
        for (const MonkeyAction &action : tail)
            steps << "  " + action.describe();
        QFAIL(qPrintable(QStringLiteral("%1\nThe shortest failing tail, %2 actions (replay: "
                                        "QVT_MONKEY_REPLAY=%3):\n%4\nIts run ended with:\n%5")
                             .arg(run.fault)
                             .arg(tail.size())
                             .arg(file, steps.join('\n'), (last.passed ? run : last).output.right(3000))));
    }
};

int main(int argc, char **argv)
{
    GuardedApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(PlayVariable))
        return playChild();
    // Cutting a failing script down runs it many times: more than QtTest's watchdog allows a test.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(FullRunTimeoutMs + ShrinkBudgetMs + 120000));
    TestMonkey test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monkey.moc"
