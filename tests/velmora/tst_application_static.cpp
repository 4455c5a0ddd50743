// SPDX-License-Identifier: MIT
// A wrapper with static storage outlives main: the process must still end without a crash.

#include <velmora/velmora.h>

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main()
{
    static velmora::UIWrapper ui(QStringLiteral("Jusqu'à la fin"));
    ui.add_label(QStringLiteral("Encore là"));
    QTimer::singleShot(0, [] { QCoreApplication::exit(5); });
    if (ui.run() != 5) {
        std::fputs("FAIL: run did not return the exit code\n", stderr);
        return EXIT_FAILURE;
    }
    std::puts("PASS: main returns with a static wrapper alive");
    return EXIT_SUCCESS;
}
