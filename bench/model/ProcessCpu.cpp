#include "ProcessCpu.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

namespace lumetra::bench {
namespace {

double seconds(const timeval &time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

} // namespace

double processCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peakMemoryMebibytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double residentMebibytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) // "VmRSS:     1234 kB"
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    }
    return 0;
}

std::map<long, ThreadCpu> threadCpuSeconds()
{
    static const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    std::map<long, ThreadCpu> threads;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &id : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(id + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly))
            continue; // ended while listed
        // "tid (name) state ppid …": the name may hold spaces, so the fields are counted after its ')'.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('(');
        const qsizetype close = line.lastIndexOf(')');
        if (open < 0 || close < open)
            continue;
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (fields.size() < 13)
            continue;
        // Fields 14 and 15 of the line (utime, stime) are the 12th and 13th after the name.
        const double ticks = fields[11].toDouble() + fields[12].toDouble();
        threads[id.toLong()] = { QString::fromUtf8(line.mid(open + 1, close - open - 1)), ticks / ticksPerSecond };
    }
    return threads;
}

std::map<QString, double> cpuByThreadName(
    const std::map<long, ThreadCpu> &before, const std::map<long, ThreadCpu> &after, double processSecondsSpent)
{
    std::map<QString, double> byName;
    double accounted = 0;
    for (const auto &[id, thread] : after) {
        const auto earlier = before.find(id);
        const double spent = thread.seconds - (earlier == before.end() ? 0.0 : earlier->second.seconds);
        byName[thread.name] += spent;
        accounted += spent;
    }
    byName[QStringLiteral("(ended threads)")] = std::max(0.0, processSecondsSpent - accounted);
    return byName;
}

} // namespace lumetra::bench
