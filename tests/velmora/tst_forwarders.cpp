// SPDX-License-Identifier: MIT
// Every public operation of a section must also be one of the window's, acting on its root
// section: reads both public headers and compares the operations they declare.

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// The names of the member functions declared in the public part of `className`, read from the
// header: declarations at the class's own brace depth, doc comments and inline bodies skipped.
QStringList publicOperations(const QString& header, const QString& className)
{
    QFile file(QStringLiteral(VELMORA_HEADER_DIR "/") + header);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    static const QRegularExpression classStart(QStringLiteral(R"(^class \w+ (\w+)$)"));
    static const QRegularExpression declaration(QStringLiteral(R"(^\s*(?:\[\[nodiscard\]\]\s*)?)"
                                                               R"((?:template<[^>]*>\s*)?[\w:<>,*& ]*?[\s*&](\w+)\()"));
    QStringList names;
    int depth = -1;
    bool inPublic = false;
    for (const QString& line : lines) {
        const QString code = line.trimmed();
        if (depth < 0) {
            const auto match = classStart.match(code);
            if (match.hasMatch() && match.captured(1) == className)
                depth = 0;
            continue;
        }
        if (code.startsWith(u'/') || code.startsWith(u'*'))
            continue;
        if (depth == 1 && code.endsWith(u':'))
            inPublic = code == QStringLiteral("public:");
        else if (depth == 1 && inPublic) {
            const auto match = declaration.match(line);
            if (match.hasMatch() && !names.contains(match.captured(1)))
                names << match.captured(1);
        }
        depth += int(code.count(u'{')) - int(code.count(u'}'));
        if (depth == 0 && code.startsWith(u'}'))
            break;
    }
    return names;
}

} // namespace

class TestForwarders : public QObject
{
    Q_OBJECT

private slots:
    void headersAreReadWhole()
    {
        // Known operations from the start, the middle and the end of each class, so that a parser
        // that stops early or skips a kind of declaration fails here.
        const QStringList section = publicOperations("section.h", "Section");
        for (const char* name : {"add_tabs", "get", "add_widget", "add_radio", "value", "set_options", "end"})
            QVERIFY2(section.contains(name), name);
        const QStringList wrapper = publicOperations("ui_wrapper.h", "UIWrapper");
        for (const char* name : {"set_icon", "sidebar", "run", "add_tabs", "find", "set_values", "end"})
            QVERIFY2(wrapper.contains(name), name);
        QVERIFY(!section.contains("requireAlive"));
        QVERIFY(!wrapper.contains("requireWindow"));
    }

    void everySectionOperationHasAWindowForwarder_data()
    {
        QTest::addColumn<QString>("operation");
        for (const QString& name : publicOperations("section.h", "Section")) {
            if (name != QStringLiteral("Section") && name != QStringLiteral("Q_DISABLE_COPY_MOVE"))
                QTest::newRow(qPrintable(name)) << name;
        }
    }

    void everySectionOperationHasAWindowForwarder()
    {
        QFETCH(QString, operation);
        static const QStringList wrapper = publicOperations("ui_wrapper.h", "UIWrapper");
        QVERIFY2(wrapper.contains(operation), qPrintable("UIWrapper has no " + operation));
    }
};

QTEST_MAIN(TestForwarders)
#include "tst_forwarders.moc"
