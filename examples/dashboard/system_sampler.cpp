// SPDX-License-Identifier: MIT
#include "system_sampler.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStorageInfo>

#include <unistd.h>

#include <algorithm>
#include <memory>

namespace {

QByteArray readProcFile(const QString& path)
{
    // /proc files report a size of 0: read until the end rather than by size.
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int percent(qint64 part, qint64 whole)
{
    return whole > 0 ? int(std::clamp<qint64>(part * 100 / whole, 0, 100)) : 0;
}

struct CpuTimes
{
    qint64 busy = 0;
    qint64 total = 0;
};

CpuTimes readCpuTimes()
{
    const QByteArray stat = readProcFile("/proc/stat");
    const QList<QByteArray> fields = stat.left(stat.indexOf('\n')).simplified().split(' ');
    CpuTimes times;
    // Fields 9 and 10 (guests) are counted in field 1 already.
    for (qsizetype i = 1; i < std::min<qsizetype>(fields.size(), 9); ++i) {
        const qint64 value = fields[i].toLongLong();
        times.total += value;
        // Fields 4 and 5 are idle and waiting for input/output.
        if (i != 4 && i != 5)
            times.busy += value;
    }
    return times;
}

int memoryInUse()
{
    qint64 total = 0;
    qint64 available = 0;
    for (const QByteArray& line : readProcFile("/proc/meminfo").split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        if (fields[0] == "MemTotal:")
            total = fields[1].toLongLong();
        else if (fields[0] == "MemAvailable:")
            available = fields[1].toLongLong();
    }
    return percent(total - available, total);
}

int diskInUse()
{
    const QStorageInfo root = QStorageInfo::root();
    return percent(root.bytesTotal() - root.bytesFree(), root.bytesTotal());
}

QList<QVariantList> processes()
{
    const qint64 pageKiB = sysconf(_SC_PAGESIZE) / 1024;
    QList<ProcessStat> found;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        entry.toInt(&isPid);
        // A process may end between the listing and the reading: it is then left out.
        if (isPid) {
            if (const std::optional<ProcessStat> stat =
                    parseProcessStat(readProcFile("/proc/" + entry + "/stat")))
                found.append(*stat);
        }
    }
    std::sort(found.begin(), found.end(),
              [](const ProcessStat& a, const ProcessStat& b) { return a.pid < b.pid; });
    QList<QVariantList> rows;
    rows.reserve(found.size());
    for (const ProcessStat& process : found)
        rows.append({process.pid, process.name, process.state, process.residentPages * pageKiB});
    return rows;
}

} // namespace

std::optional<ProcessStat> parseProcessStat(const QByteArray& line)
{
    static const QHash<char, QString> STATES{{'R', "actif"},   {'S', "en veille"}, {'D', "en attente"},
                                             {'Z', "zombie"},  {'T', "arrêté"},    {'t', "arrêté"},
                                             {'I', "inactif"}, {'X', "terminé"}};
    const qsizetype open = line.indexOf('(');
    const qsizetype close = line.lastIndexOf(')');
    if (open < 1 || close < open)
        return std::nullopt;
    bool pidRead = false;
    const int pid = line.left(open).trimmed().toInt(&pidRead);
    // After the name: the state (field 3), and the resident set size in pages (field 24).
    const QList<QByteArray> fields = line.mid(close + 1).simplified().split(' ');
    if (!pidRead || fields.size() < 22 || fields[0].size() != 1)
        return std::nullopt;
    return ProcessStat{pid, QString::fromUtf8(line.mid(open + 1, close - open - 1)),
                       STATES.value(fields[0][0], QString::fromLatin1(fields[0])), fields[21].toLongLong()};
}

SampleSource systemSampler()
{
    auto previous = std::make_shared<CpuTimes>();
    return [previous] {
        const CpuTimes now = readCpuTimes();
        SystemSample sample{percent(now.busy - previous->busy, now.total - previous->total), memoryInUse(),
                            diskInUse(), processes()};
        *previous = now;
        return sample;
    };
}
