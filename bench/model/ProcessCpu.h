#pragma once

#include <QString>

#include <map>

namespace lumetra::bench {

// CPU time of this process so far (user + system, all threads, ended ones included), in seconds.
double processCpuSeconds();
// Peak resident memory of this process so far, in MiB.
double peakMemoryMebibytes();
// Resident memory of this process now, in MiB (0 when it cannot be read).
double residentMebibytes();

// CPU time of each living thread of this process, by thread id.
struct ThreadCpu {
    QString name;
    double seconds = 0;
};
std::map<long, ThreadCpu> threadCpuSeconds();

// CPU time spent between two snapshots, summed by thread name. Threads that ended in between are
// only in the process total; their share is what the living threads do not account for, listed
// as "(ended threads)".
std::map<QString, double> cpuByThreadName(
    const std::map<long, ThreadCpu> &before, const std::map<long, ThreadCpu> &after, double processSecondsSpent);

} // namespace lumetra::bench
