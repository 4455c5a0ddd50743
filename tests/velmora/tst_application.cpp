// SPDX-License-Identifier: MIT
// Runs without QTEST_MAIN: the first wrapper, not the test harness, has to create the
// application object, and the process has to end cleanly with it.

#include <velmora/velmora.h>

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

using velmora::UIWrapper;

namespace {

bool applicationDestroyed = false;

// Registered before the application object exists, so it runs after that object is destroyed.
void verifyApplicationDestroyed()
{
    if (!applicationDestroyed) {
        std::fputs("FAIL: the application object was not destroyed at exit\n", stderr);
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    std::puts("PASS: the application object was destroyed at exit");
    std::fflush(stdout);
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

public:
    explicit TestApplication(UIWrapper& first)
        : _first(first)
    {
    }

private slots:
    void firstWrapperCreatedTheApplication();
    void laterWrappersReuseTheApplication();
    void runReturnsTheLoopsExitCode_data();
    void runReturnsTheLoopsExitCode();

private:
    UIWrapper& _first;
};

void TestApplication::firstWrapperCreatedTheApplication()
{
    QVERIFY(_first.app);
    QCOMPARE(qobject_cast<QApplication*>(QCoreApplication::instance()), _first.app);
    QVERIFY(!_first.window->isVisible());
}

void TestApplication::laterWrappersReuseTheApplication()
{
    UIWrapper second(QStringLiteral("Deux"));
    const std::unique_ptr<UIWrapper> secondary = second.open_window();
    QCOMPARE(second.app, _first.app);
    QCOMPARE(secondary->app, _first.app);
    QCOMPARE(static_cast<QCoreApplication*>(_first.app), QCoreApplication::instance());
}

void TestApplication::runReturnsTheLoopsExitCode_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("zero") << 0;
    QTest::newRow("seven") << 7;
    QTest::newRow("negative") << -3;
}

void TestApplication::runReturnsTheLoopsExitCode()
{
    QFETCH(int, code);
    UIWrapper ui;
    QTimer::singleShot(0, [code] { QCoreApplication::exit(code); });
    QCOMPARE(ui.run(), code);
    QVERIFY(ui.window->isVisible());
    ui.window->hide();
}

int main(int argc, char** argv)
{
    std::atexit(verifyApplicationDestroyed);
    if (QCoreApplication::instance()) {
        std::fputs("FAIL: an application object exists before the first wrapper\n", stderr);
        return EXIT_FAILURE;
    }
    UIWrapper first;
    QObject::connect(first.app, &QObject::destroyed, [] { applicationDestroyed = true; });
    TestApplication test(first);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
