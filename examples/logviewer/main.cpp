// velmora-logviewer: a journal of 20,000 lines, loaded in batches, filtered as you type.
// Double-click a line (or press Enter on it) for its details.

#include "log_viewer.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    LogViewer viewer(QApplication::applicationDirPath() + "/logviewer.qss");
    return viewer.ui.run();
}
