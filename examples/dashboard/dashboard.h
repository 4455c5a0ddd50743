// SPDX-License-Identifier: MIT
// A dashboard: pages chosen in a sidebar, gauges and a process table refreshed by a timer, and
// a notification when the processor goes past a threshold.

#pragma once

#include "system_sampler.h"

#include <velmora/velmora.h>

#include <QTimer>

class QTableWidget;

class Dashboard
{
public:
    // Builds the window, takes a first reading from `source` and another at every interval.
    explicit Dashboard(SampleSource source);

    // Takes a reading and shows it; the timer calls it.
    void refresh();

    velmora::UIWrapper ui;
    velmora::TabSections pages;

private:
    SampleSource _source;
    QTableWidget* _processes = nullptr;
    QTimer _timer;
    bool _pastThreshold = false;
};
