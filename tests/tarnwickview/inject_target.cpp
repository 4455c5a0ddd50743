// SPDX-License-Identifier: MIT
// A Qt Widgets program that knows nothing of the inspector: the preload test runs it with and
// without libtarnwickview-inject.so. It shows a main window, a dialog that adds a label to itself
// as it is shown, then the main window again, presses Ctrl+Shift+I (or the key INJECT_TARGET_KEY
// names) in the dialog, prints the titles of the windows now shown and quits through its event
// loop. With --own-shortcut the dialog binds Ctrl+Shift+I itself; with --popup the key is pressed
// in a pop-up menu of the main window. With --core or --gui it only builds that kind of
// application and quits.

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Like a message box, which adds its default button when it is shown.
class LateDialog : public QDialog
{
public:
    using QDialog::QDialog;

protected:
    void showEvent(QShowEvent* event) override
    {
        if (!findChild<QLabel*>())
            layout()->addWidget(new QLabel(QStringLiteral("Tardif")));
        QDialog::showEvent(event);
    }
};

int runWidgets(int argc, char** argv, const char* mode)
{
    const bool ownShortcut = std::strcmp(mode, "--own-shortcut") == 0;
    const bool inPopup = std::strcmp(mode, "--popup") == 0;

    QApplication app(argc, argv);

    QWidget main;
    main.setWindowTitle(QStringLiteral("Principale"));
    auto* mainLayout = new QVBoxLayout(&main);
    mainLayout->addWidget(new QLabel(QStringLiteral("Bonjour")));
    auto* input = new QLineEdit;
    input->setObjectName(QStringLiteral("saisie"));
    mainLayout->addWidget(input);
    mainLayout->addWidget(new QPushButton(QStringLiteral("Valider")));
    if (std::strcmp(mode, "--styled") == 0)
        main.setStyleSheet(QStringLiteral("QLabel { color: #333333 }\nQSlider { height: 8px }"));

    LateDialog dialog(&main);
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
    const QString keyText = qEnvironmentVariable("INJECT_TARGET_KEY", QStringLiteral("Ctrl+Shift+I"));
    const QKeyCombination key = QKeySequence::fromString(keyText, QKeySequence::PortableText)[0];
    QWidget* pressedIn = &dialog;
    if (inPopup) {
        auto* menu = new QMenu(&main);
        menu->addAction(QStringLiteral("Ouvrir"));
        menu->popup(main.mapToGlobal(QPoint(10, 10)));
        if (!QTest::qWaitForWindowExposed(menu))
            return 3;
        pressedIn = menu;
    }
    QTest::keyClick(pressedIn, key.key(), key.keyboardModifiers());

    QStringList titles;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            titles << window->windowTitle();
    }
    std::sort(titles.begin(), titles.end());
    std::fputs(titles.join(QLatin1Char('\n')).append(QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
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
    return runWidgets(argc, argv, argc > 1 ? argv[1] : "");
}
