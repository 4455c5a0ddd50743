// SPDX-License-Identifier: MIT
// A Qt Widgets program that knows nothing of the inspector: the preload test runs it with and
// without libtarnwickview-inject.so. It shows a main window, a dialog, then the main window again,
// presses Ctrl+Shift+I in the dialog, prints the titles of the windows now shown and quits.
// With --own-shortcut the dialog binds Ctrl+Shift+I itself. With --core or --gui it only builds
// that kind of application and quits.

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

int runWidgets(int argc, char** argv, bool ownShortcut)
{
    QApplication app(argc, argv);

    QWidget main;
    main.setWindowTitle(QStringLiteral("Principale"));
    auto* mainLayout = new QVBoxLayout(&main);
    mainLayout->addWidget(new QLabel(QStringLiteral("Bonjour")));
    auto* input = new QLineEdit;
    input->setObjectName(QStringLiteral("saisie"));
    mainLayout->addWidget(input);
    mainLayout->addWidget(new QPushButton(QStringLiteral("Valider")));

    QDialog dialog(&main);
    dialog.setWindowTitle(QStringLiteral("Réglages"));
    auto* dialogLayout = new QVBoxLayout(&dialog);
    dialogLayout->addWidget(new QCheckBox(QStringLiteral("Sombre")));
    if (ownShortcut) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), &dialog);
        QObject::connect(shortcut, &QShortcut::activated, [] { std::puts("raccourci du programme"); });
    }

    main.show();
    dialog.show();
    // Shown a second time: only the first showing counts.
    main.hide();
    main.show();

    dialog.activateWindow();
    // Shortcuts follow QApplication's active window, which trails the platform's activation.
    if (!QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; }))
        return 2;
    QTest::keyClick(&dialog, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);

    QStringList titles;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            titles << window->windowTitle();
    }
    std::sort(titles.begin(), titles.end());
    std::fputs(titles.join(QLatin1Char('\n')).append(QLatin1Char('\n')).toUtf8().constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--core") == 0) {
        QCoreApplication app(argc, argv);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "--gui") == 0) {
        QGuiApplication app(argc, argv);
        return 0;
    }
    return runWidgets(argc, argv, argc > 1 && std::strcmp(argv[1], "--own-shortcut") == 0);
}
