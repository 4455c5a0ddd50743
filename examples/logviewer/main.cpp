// SPDX-License-Identifier: MIT
// velmora-logviewer: a journal of 20,000 lines, loaded in batches, filtered as you type.
// Double-click a line (or press Enter on it) for its details.

#include "log_viewer.h"

#include <QApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    try {
        LogViewer viewer(QApplication::applicationDirPath() + "/logviewer.qss");
        return viewer.ui.run();
    } catch (const std::exception& error) {
        // The style sheet beside the program could not be read.
        std::fprintf(stderr, "velmora-logviewer : %s\n", error.what());
        return 1;
    }
}
