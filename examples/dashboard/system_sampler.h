// SPDX-License-Identifier: MIT
// What the dashboard shows of the machine, read from /proc and the root file system.

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantList>

#include <functional>
#include <optional>

// One reading of the machine.
struct SystemSample
{
    int cpu = 0;                   // percent of processor time busy since the previous reading
    int memory = 0;                // percent of memory in use
    int disk = 0;                  // percent of the root file system in use
    QList<QVariantList> processes; // PID, name, state, resident memory in KiB; by PID
};

// Where the dashboard takes its readings from: the machine, or a script in the tests.
using SampleSource = std::function<SystemSample()>;

// A process as its /proc/<pid>/stat line describes it.
struct ProcessStat
{
    int pid = 0;
    QString name;
    QString state; // in words, "actif", "en veille", ...
    qint64 residentPages = 0;
};

// Reads one /proc/<pid>/stat line; nothing when the line is cut short. The name may hold
// spaces and parentheses: it runs from the first '(' to the last ')'.
std::optional<ProcessStat> parseProcessStat(const QByteArray& line);

// Reads the machine each time it is called; the first processor figure counts from boot.
SampleSource systemSampler();
