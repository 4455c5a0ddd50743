#include <velmora/velmora.h>

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using velmora::UIWrapper;

class TestWrapper : public QObject
{
    Q_OBJECT

private slots:
    void defaultWindowHasSkeleton();
    void secondWrapperSharesApplication();
    void runReturnsTheLoopsExitCode();
    void chainStartedOnWrapperLandsInRootSection();
    void emptyButtonCallbackIsRejected();
    void everyConstructorFormMeansTheObviousThing();
};

void TestWrapper::defaultWindowHasSkeleton()
{
    UIWrapper ui;
    QCOMPARE(ui.window->windowTitle(), QString());
    QCOMPARE(ui.window->size(), QSize(800, 600));
    QVERIFY(!ui.window->isVisible());
    QCOMPARE(QString::fromLatin1(ui.window->metaObject()->className()), QStringLiteral("QMainWindow"));
    auto* middle = ui.window->findChild<QWidget*>(QStringLiteral("middle"));
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QVERIFY(middle);
    QVERIFY(content);
    QCOMPARE(content->parentWidget(), middle);
    QCOMPARE(ui.window->centralWidget()->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
}

void TestWrapper::secondWrapperSharesApplication()
{
    UIWrapper first;
    UIWrapper second(QStringLiteral("Deux"), 300, 200, 12);
    QCOMPARE(first.app, second.app);
    QCOMPARE(static_cast<QCoreApplication*>(second.app), QCoreApplication::instance());
    QCOMPARE(second.window->centralWidget()->layout()->contentsMargins(), QMargins(12, 12, 12, 12));
}

void TestWrapper::runReturnsTheLoopsExitCode()
{
    UIWrapper ui;
    QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
    QCOMPARE(ui.run(), 7);
    QVERIFY(ui.window->isVisible());
}

void TestWrapper::chainStartedOnWrapperLandsInRootSection()
{
    UIWrapper ui;
    int clicks = 0;
    velmora::Section& root = ui.add_label("Titre").add_button("OK", [&] { ++clicks; });
    QCOMPARE(&root, &ui.end());
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QCOMPARE(content->layout()->count(), 2);
    auto* button = qobject_cast<QPushButton*>(content->layout()->itemAt(1)->widget());
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

void TestWrapper::emptyButtonCallbackIsRejected()
{
    UIWrapper ui;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ui.add_button("OK", {}));
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QCOMPARE(content->layout()->count(), 0);
}

void TestWrapper::everyConstructorFormMeansTheObviousThing()
{
    // Braced forms take WindowOptions; the others the positional constructor.
    const QString title = QStringLiteral("Variable");
    UIWrapper empty({});
    UIWrapper braced({"Titre"});
    UIWrapper designated({.title = "Titre", .width = 640});
    UIWrapper positional("Titre");
    UIWrapper sized("Titre", 640, 480);
    UIWrapper fromQString(title, 500);
    const auto described = [](const UIWrapper& ui) {
        return QStringLiteral("%1 %2x%3")
            .arg(ui.window->windowTitle())
            .arg(ui.window->width())
            .arg(ui.window->height());
    };
    QCOMPARE(described(empty), " 800x600");
    QCOMPARE(described(braced), "Titre 800x600");
    QCOMPARE(described(designated), "Titre 640x600");
    QCOMPARE(described(positional), "Titre 800x600");
    QCOMPARE(described(sized), "Titre 640x480");
    QCOMPARE(described(fromQString), "Variable 500x600");
}

QTEST_MAIN(TestWrapper)
#include "tst_wrapper.moc"
