// SPDX-License-Identifier: MIT
// A log viewer: a table that fills while the window is open, filtered by level and by text.

#pragma once

#include <velmora/velmora.h>

#include <QTimer>

#include <memory>

class QTableWidget;

class LogViewer
{
public:
    // Number of lines the viewer loads, in batches, once the event loop runs.
    static constexpr int LINE_COUNT = 20000;

    // Builds the window and loads the style sheet at `stylePath` (throws as load_style does).
    explicit LogViewer(const QString& stylePath);

    velmora::UIWrapper ui;

private:
    void addBatch();
    void filter();
    void showDetails(int row);

    QString _stylePath;
    QTableWidget* _table = nullptr;
    QTimer _loader;
    int _loaded = 0;
    std::unique_ptr<velmora::UIWrapper> _details;
};
