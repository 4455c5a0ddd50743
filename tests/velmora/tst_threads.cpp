// SPDX-License-Identifier: MIT
// Every public operation of both libraries refuses to run outside the application object's
// thread, before it creates or changes anything.

#include "window_fixture.h"

#include <tarnwickview/tarnwickview.h>
#include <velmora/velmora.h>

#include <QApplication>
#include <QDir>
#include <QTest>

#include <exception>
#include <functional>
#include <thread>

using velmora::Section;
using velmora::UIWrapper;

namespace {

// A furnished window and handles into it, all made on the test's thread.
struct Scene
{
    UIWrapper ui;
    Section& row = (fixture::furnish(ui), ui.add_row({.name = "rangée"}));
    velmora::TabSections tabs = ui.add_tabs({"Trois"});
    QTableWidget* table = ui.add_table({"A"});
    Host spare;
    QTemporaryDir dir;
    QString style = fixture::writeStyle(dir);
};

} // namespace

using SceneAction = std::function<void(Scene&)>;
Q_DECLARE_METATYPE(SceneAction)

class TestThreads : public QObject
{
    Q_OBJECT

private slots:
    void callFromAnotherThreadIsRefused_data();
    void callFromAnotherThreadIsRefused();
};

void TestThreads::callFromAnotherThreadIsRefused_data()
{
    QTest::addColumn<SceneAction>("call");
    const auto row = [](const char* operation, SceneAction call) { QTest::newRow(operation) << call; };
    row("Section::Section", [](Scene& s) { Section section(s.spare.layout, {.align = "center"}); });
    row("Section::add_label", [](Scene& s) { s.row.add_label("fil", {.name = "fil"}); });
    row("Section::add_button", [](Scene& s) { s.row.add_button("fil", [] {}, {.name = "fil"}); });
    row("Section::set_style", [](Scene& s) { s.row.set_style("QLabel { color: red; }"); });
    row("Section::add_row", [](Scene& s) { s.row.add_row({.name = "fil"}); });
    row("Section::add_tabs", [](Scene& s) { (void)s.row.add_tabs({"fil"}, {.name = "fil"}); });
    row("Section::add_table_rows", [](Scene& s) { s.row.add_table_rows(s.table, {{1}, {2}}); });
    row("Section::add_widget", [](Scene& s) { s.row.add_widget(s.table, {.name = "fil"}); });
    row("Section::clear", [](Scene& s) { s.row.clear(); });
    row("UIWrapper::UIWrapper", [](Scene&) { UIWrapper other(QStringLiteral("fil")); });
    row("UIWrapper::notify", [](Scene& s) { s.ui.notify("fil"); });
    row("UIWrapper::add_label", [](Scene& s) { s.ui.add_label("fil", {.name = "fil"}); });
    row("UIWrapper::set_icon", [](Scene& s) { s.ui.set_icon(":/nothing.png"); });
    row("UIWrapper::open_window", [](Scene& s) { (void)s.ui.open_window({"fil"}); });
    row("UIWrapper::watch_style", [](Scene& s) { s.ui.watch_style(s.style); });
    row("UIWrapper::run", [](Scene& s) { (void)s.ui.run(); });
    row("TabSections::at", [](Scene& s) { s.tabs.at("Trois").add_label("fil", {.name = "fil"}); });
    row("TabSections::keys", [](Scene& s) { (void)s.tabs.keys(); });
    row("Section::add_spinbox", [](Scene& s) { s.row.add_spinbox({.name = "fil"}); });
    row("Section::set_value", [](Scene& s) { s.row.set_value("absent", QString("x")); });
    row("Section::set_table_rows", [](Scene& s) { s.row.set_table_rows(s.table, {{1}}); });
    row("UIWrapper::values", [](Scene& s) { (void)s.ui.values(); });
    row("UIWrapper::add_shortcut", [](Scene& s) { s.ui.add_shortcut(QKeySequence("Ctrl+K"), [] {}); });
    row("UIWrapper::set_title", [](Scene& s) { s.ui.set_title("fil"); });
    row("TabSections::show", [](Scene& s) { s.tabs.show("Trois"); });
    row("tarnwickview::get_style_rules", [](Scene& s) { (void)tarnwickview::get_style_rules(s.ui.window); });
    row("tarnwickview::get_style_report", [](Scene& s) { (void)tarnwickview::get_style_report(s.ui.window); });
    row("tarnwickview::get_tree", [](Scene& s) { (void)tarnwickview::get_tree(s.ui.window); });
    row("tarnwickview::print_tree", [](Scene& s) { tarnwickview::print_tree(s.ui.window); });
    row("tarnwickview::save_tree",
        [](Scene& s) { tarnwickview::save_tree(s.ui.window, s.dir.filePath("t")); });
    row("tarnwickview::generate_qss",
        [](Scene& s) { tarnwickview::generate_qss(s.ui.window, s.dir.filePath("style/style.qss")); });
    row("tarnwickview::install_inspector", [](Scene& s) { tarnwickview::install_inspector(s.ui.window); });
    row("tarnwickview::open_inspector", [](Scene& s) { (void)tarnwickview::open_inspector(s.ui.window); });
}

void TestThreads::callFromAnotherThreadIsRefused()
{
    QFETCH(SceneAction, call);
    Scene scene;
    const QStringList before = fixture::stateOf(scene.ui)
                               << itemsOf(scene.spare.layout)
                               << QDir(scene.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    const qsizetype objects =
        QApplication::allWidgets().size() + scene.ui.window->findChildren<QObject*>().size();

    QString message = QStringLiteral("accepted");
    std::thread([&] {
        try {
            call(scene);
        } catch (const std::logic_error& error) {
            message = QString::fromUtf8(error.what());
        }
    }).join();

    QCOMPARE(message, QLatin1StringView(QTest::currentDataTag()) +
                          ": called from a thread other than the application object's "
                          "(widgets may only be used on that thread)");
    QCOMPARE(fixture::stateOf(scene.ui)
                 << itemsOf(scene.spare.layout)
                 << QDir(scene.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             before);
    QCOMPARE(QApplication::allWidgets().size() + scene.ui.window->findChildren<QObject*>().size(), objects);
    QCOMPARE(scene.ui.find("fil"), nullptr);
}

QTEST_MAIN(TestThreads)
#include "tst_threads.moc"
