// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "qss_parser_p.h"
#include "style_cascade_p.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cstdint>
#include <memory>
#include <stdexcept>

class Badge : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};

namespace {

using tarnwickview::detail::QssDeclaration;
using tarnwickview::detail::QssDiagnostic;
using tarnwickview::detail::StyleCascade;

const QRegularExpression STYLED_BORDER(QStringLiteral("\\b(solid|dashed|dotted|double|groove|ridge|inset|outset)\\b"));
const QStringList NORMAL{QStringLiteral("enabled"), QStringLiteral("active")};
const QStringList DISABLED{QStringLiteral("disabled")};

// The properties checked, and for each the longhand whose winner decides what Qt reads back.
const QStringList PROPERTIES{QStringLiteral("color"),       QStringLiteral("background-color"),
                             QStringLiteral("font-size"),   QStringLiteral("font-weight"),
                             QStringLiteral("border-width"), QStringLiteral("padding"),
                             QStringLiteral("min-width")};

const QStringList SELECTORS{
    "QLabel", "QFrame", "QWidget", "*", ".QLabel", ".QFrame", ".Badge", "Badge", "#title", "#badge", "#ok",
    "#panel", "QLabel#title", "QPushButton", "QAbstractButton", ".QAbstractButton", "QFrame QLabel",
    "QFrame > QLabel", "#win QLabel", "#win > QLabel", "#win > QFrame > QPushButton", "QWidget QPushButton#ok",
    "#panel > *", "* > #badge", "[text=\"Titre\"]", "QLabel[text=\"B\"]", "QPushButton[flat=\"false\"]",
    "QLabel[frameShape=\"NoFrame\"]", "QLabel[frameShape=\"0\"]", "[objectName=\"badge\"]",
    "QLabel[text~=\"Titre\"]", "QLabel:disabled", "QLabel:enabled", "QLabel:!disabled", "QPushButton:hover",
    "QPushButton:checked", "#title:focus", "QLabel::item", "QLabel:bogus", "#ok:!enabled", "QWidget:disabled",
    "#win #panel #title", "QDialog QLabel", "QFrame#panel Badge#badge", "#panel QLabel.Badge"};

// A deterministic generator, the same on every standard library.
class Sequence
{
public:
    explicit Sequence(std::uint32_t seed)
        : _state(seed)
    {
    }
    int next(int bound)
    {
        _state = _state * 1664525u + 1013904223u;
        return int((_state >> 8) % std::uint32_t(bound));
    }

private:
    std::uint32_t _state;
};

enum Slot { App, Win, Panel, Title, Ok, SlotCount };

struct Corpus
{
    QString sheets[SlotCount];
    bool disabled = false;
};

// A case: a few rules over the five sheets, each declaration with a value no other one has, so
// that the value Qt reads back names the declaration it applied.
Corpus generateCase(int index)
{
    Sequence random(std::uint32_t(index) * 2654435761u + 17u);
    Corpus corpus;
    corpus.disabled = random.next(5) == 0;
    int counter = 0;
    const auto value = [&counter, index](const QString& property) {
        ++counter;
        if (property.endsWith(QLatin1StringView("color")))
            return QStringLiteral("#%1").arg((index * 97 + counter * 13 + 0x101010) % 0xffffff, 6, 16, QLatin1Char('0'));
        if (property == QLatin1StringView("font-size"))
            return QStringLiteral("%1px").arg(10 + counter);
        if (property == QLatin1StringView("font-weight"))
            return QString::number(QList<int>{100, 200, 300, 500, 600, 700, 800, 900}.at(counter % 8));
        if (property == QLatin1StringView("border-width"))
            return QStringLiteral("%1px").arg(counter % 9 + 1);
        if (property == QLatin1StringView("padding"))
            return QStringLiteral("%1px").arg((counter % 9 + 1) * 10);
        return QStringLiteral("%1px").arg(100 + counter * 3);
    };
    bool bare[SlotCount] = {};
    const int rules = 1 + random.next(4);
    for (int r = 0; r < rules; ++r) {
        auto slot = Slot(random.next(SlotCount));
        QString body;
        const int declarations = 1 + random.next(2);
        for (int d = 0; d < declarations; ++d) {
            const QString property = PROPERTIES.at(random.next(int(PROPERTIES.size())));
            body += property + QStringLiteral(": ") + value(property) +
                    (random.next(10) == 0 ? QStringLiteral(" !important; ") : QStringLiteral("; "));
        }
        if ((slot == Title || slot == Ok) && corpus.sheets[slot].isEmpty() && random.next(6) == 0) {
            corpus.sheets[slot] = body;
            bare[slot] = true;
            continue;
        }
        if (bare[slot])
            slot = App;
        QString selector = SELECTORS.at(random.next(int(SELECTORS.size())));
        if (random.next(5) == 0)
            selector += QStringLiteral(",\n") + SELECTORS.at(random.next(int(SELECTORS.size())));
        corpus.sheets[slot] += selector + QStringLiteral(" { ") + body + QStringLiteral("}\n");
    }
    return corpus;
}

int pixels(const QString& length)
{
    return length.section(u' ', 0, 0).remove(QStringLiteral("px")).toInt();
}

// The left side of a padding or border-width value as Qt reads it: one to four lengths.
int leftOf(const QssDeclaration* declaration)
{
    if (!declaration)
        return 0;
    const QStringList parts = declaration->value.split(u' ', Qt::SkipEmptyParts);
    if (declaration->property == QLatin1StringView("border")) {
        return parts.constFirst() == QLatin1StringView("none") ? 0 : pixels(parts.constFirst());
    }
    static const int LEFT[] = {0, 0, 1, 1, 3};
    return pixels(parts.at(LEFT[qMin(parts.size(), qsizetype(4))]));
}

int weightOf(const QString& value)
{
    if (value == QLatin1StringView("bold"))
        return QFont::Bold;
    if (value == QLatin1StringView("normal"))
        return QFont::Normal;
    return value.toInt();
}

struct Agreement
{
    int checks = 0;
    int agreed = 0;
};
Agreement& agreement()
{
    static Agreement counts;
    return counts;
}

// Compares, for every property, what the cascade says wins with what Qt applied to `widget`.
QStringList compareWithQt(QWidget* widget, bool boxes)
{
    const StyleCascade cascade(widget);
    QStringList faults;
    const auto check = [&faults, widget](const QString& what, const auto& expected, const auto& actual) {
        ++agreement().checks;
        if (expected == actual) {
            ++agreement().agreed;
            return;
        }
        QString e;
        QString a;
        QDebug(&e) << expected;
        QDebug(&a) << actual;
        faults.append(widget->objectName() + u' ' + what + QStringLiteral(": cascade ") + e + QStringLiteral(", Qt ") + a);
    };
    const QPalette defaults = QApplication::palette(widget);
    const QFont defaultFont = QApplication::font(widget);
    for (const auto& [group, states, name] :
         {std::tuple{QPalette::Active, NORMAL, "active"}, std::tuple{QPalette::Disabled, DISABLED, "disabled"}}) {
        for (const auto& [longhand, role] : {std::pair{QStringLiteral("color"), widget->foregroundRole()},
                                             std::pair{QStringLiteral("background-color"), widget->backgroundRole()}}) {
            const QssDeclaration* winner = cascade.winner(longhand, states);
            check(longhand + u' ' + QLatin1StringView(name),
                  winner ? QColor(winner->value).rgba() : defaults.color(group, role).rgba(),
                  widget->palette().color(group, role).rgba());
        }
    }
    const QssDeclaration* size = cascade.winner(QStringLiteral("font-size"), NORMAL);
    if (size && size->value.endsWith(QLatin1StringView("pt")))
        check(QStringLiteral("font-size"), size->value.chopped(2).toInt(), widget->font().pointSize());
    else
        check(QStringLiteral("font-size"), size ? pixels(size->value) : defaultFont.pixelSize(), widget->font().pixelSize());
    const QssDeclaration* weight = cascade.winner(QStringLiteral("font-weight"), NORMAL);
    check(QStringLiteral("font-weight"), weight ? weightOf(weight->value) : int(defaultFont.weight()),
          int(widget->font().weight()));
    if (!boxes)
        return faults;
    // Qt gives a widget contents margins from a sheet only when it sets a padding or a drawn border,
    // for the state the widget is in; a minimum width always counts the border.
    const QStringList& now = widget->isEnabled() ? NORMAL : DISABLED;
    const QssDeclaration* style = cascade.winner(QStringLiteral("border-left-style"), now);
    const bool drawnBorder = style && STYLED_BORDER.match(style->value).hasMatch();
    const QssDeclaration* paddingRule = cascade.winner(QStringLiteral("padding-left"), now);
    const int border = leftOf(cascade.winner(QStringLiteral("border-left-width"), now));
    const int padding = leftOf(paddingRule);
    check(QStringLiteral("border-width + padding"), paddingRule || drawnBorder ? border + padding : 0,
          widget->contentsMargins().left());
    // The minimum width is worked out for the normal state, whatever state the widget is in.
    const int normalBox = leftOf(cascade.winner(QStringLiteral("border-left-width"), NORMAL)) +
                          leftOf(cascade.winner(QStringLiteral("padding-left"), NORMAL));
    const QssDeclaration* minWidth = cascade.winner(QStringLiteral("min-width"), NORMAL);
    check(QStringLiteral("min-width"), minWidth ? pixels(minWidth->value) + 2 * normalBox : 0, widget->minimumWidth());
    return faults;
}

struct Window
{
    std::unique_ptr<QWidget> win = std::make_unique<QWidget>();
    QFrame* panel = new QFrame;
    QLabel* title = new QLabel(QStringLiteral("Titre"));
    Badge* badge = new Badge(QStringLiteral("B"));
    QPushButton* ok = new QPushButton(QStringLiteral("OK"));

    Window()
    {
        win->setObjectName(QStringLiteral("win"));
        panel->setObjectName(QStringLiteral("panel"));
        title->setObjectName(QStringLiteral("title"));
        badge->setObjectName(QStringLiteral("badge"));
        ok->setObjectName(QStringLiteral("ok"));
        (new QVBoxLayout(win.get()))->addWidget(panel);
        auto* column = new QVBoxLayout(panel);
        column->addWidget(title);
        column->addWidget(badge);
        column->addWidget(ok);
    }
    QList<QWidget*> all() const { return {win.get(), panel, title, badge, ok}; }
};

} // namespace

class TestStyleCascade : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qApp->setStyleSheet(QString()); }
    void cleanupTestCase()
    {
        qInfo("Accord avec Qt : %d / %d", agreement().agreed, agreement().checks);
    }

    void generatedCasesAgreeWithQt_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 600; ++i)
            QTest::addRow("case %d", i) << i;
    }

    void generatedCasesAgreeWithQt()
    {
        QFETCH(int, index);
        const Corpus corpus = generateCase(index);
        qApp->setStyleSheet(corpus.sheets[App]);
        Window window;
        window.win->setStyleSheet(corpus.sheets[Win]);
        window.panel->setStyleSheet(corpus.sheets[Panel]);
        window.title->setStyleSheet(corpus.sheets[Title]);
        window.ok->setStyleSheet(corpus.sheets[Ok]);
        window.title->setDisabled(corpus.disabled);
        for (QWidget* widget : window.all())
            widget->ensurePolished();
        QStringList faults;
        for (QWidget* widget : window.all())
            faults += compareWithQt(widget, qobject_cast<QLabel*>(widget) != nullptr);
        const QString sheets = QStringList(std::begin(corpus.sheets), std::end(corpus.sheets)).join(QStringLiteral("\n---\n"));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n') + QStringLiteral("\n") + sheets));
    }

    void exampleSheetsAgreeWithQt_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("showcase") << QStringLiteral(EXAMPLES_DIR "/showcase/showcase.qss");
        QTest::newRow("logviewer") << QStringLiteral(EXAMPLES_DIR "/logviewer/logviewer.qss");
        QTest::newRow("guide") << QStringLiteral(EXAMPLES_DIR "/guide/guide.qss");
    }

    // The widgets the example sheets name, under the names they give them.
    void exampleSheetsAgreeWithQt()
    {
        QFETCH(QString, file);
        QFile sheet(file);
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QList<QWidget*> checked;
        const auto add = [&checked](QBoxLayout* into, QWidget* widget, const char* name) {
            widget->setObjectName(QString::fromLatin1(name));
            into->addWidget(widget);
            checked.append(widget);
            return widget;
        };
        for (const char* name : {"sidebar-left", "sidebar-down", "content", "apercu"}) {
            QWidget* box = add(layout, new QWidget, name);
            auto* inner = new QVBoxLayout(box);
            add(inner, new QLabel(QStringLiteral("Texte")), "titre");
            add(inner, new QLabel(QStringLiteral("Texte")), "rubrique");
            add(inner, new QLabel(QStringLiteral("Texte")), "statut");
            add(inner, new QLabel(QStringLiteral("Texte")), "champ");
            add(inner, new QLabel(QStringLiteral("Texte")), "apercu-nom");
            add(inner, new QPushButton(QStringLiteral("Bouton")), "enregistrer");
            add(inner, new QPushButton(QStringLiteral("Bouton")), "valider");
            add(inner, new QPushButton(QStringLiteral("Bouton")), "");
            add(inner, new QLineEdit, "recherche");
            add(inner, new QComboBox, "");
            auto* line = new QFrame;
            line->setFrameShape(QFrame::HLine);
            add(inner, line, "");
        }
        for (QWidget* widget : checked)
            widget->ensurePolished();
        QStringList faults;
        for (QWidget* widget : checked)
            faults += compareWithQt(widget, qobject_cast<QLabel*>(widget) != nullptr);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void parseErrorsAreLocated_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing closing brace") << QStringLiteral("QLabel {\n    color: red;\n") << 3 << 1 << QStringLiteral("« } »");
        QTest::newRow("missing opening brace") << QStringLiteral("QLabel { color: red; }\nQPushButton #ok }") << 2 << 17
                                               << QStringLiteral("« { »");
        QTest::newRow("bad selector") << QStringLiteral("QLabel { color: red; }\n\n  QPushButton > { color: blue; }") << 3
                                      << 17 << QStringLiteral("un sélecteur");
        QTest::newRow("selector missing after a comma") << QStringLiteral("QLabel,\n{ color: red; }") << 2 << 1
                                                        << QStringLiteral("un sélecteur");
        QTest::newRow("stray character in selector") << QStringLiteral("QPushButton$ { color: blue; }") << 1 << 12
                                                     << QStringLiteral("« { »");
        QTest::newRow("unterminated string") << QStringLiteral("QLabel {\n  font-family: \"DejaVu Sans;\n}\n") << 2 << 16
                                             << QStringLiteral("un guillemet fermant");
        QTest::newRow("unterminated attribute string") << QStringLiteral("QLabel[text=\"a] { color: red; }") << 1 << 13
                                                       << QStringLiteral("un guillemet fermant");
        QTest::newRow("unknown pseudo-state") << QStringLiteral("QLabel { color: red; }\nQPushButton:survol { color: blue; }")
                                              << 2 << 13 << QStringLiteral("un pseudo-état connu");
        QTest::newRow("missing colon") << QStringLiteral("QLabel { color red; }") << 1 << 16 << QStringLiteral("« : »");
        QTest::newRow("missing value") << QStringLiteral("QLabel {\n\tcolor: ;\n}") << 2 << 8 << QStringLiteral("une valeur");
        QTest::newRow("unterminated comment") << QStringLiteral("QLabel { color: red; }\n/* fin") << 2 << 1
                                              << QStringLiteral("la fin du commentaire « */ »");
    }

    void parseErrorsAreLocated()
    {
        QFETCH(QString, sheet);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, expected);
        const QList<QssDiagnostic> errors = tarnwickview::detail::parseStyleSheet(sheet).errors;
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.first().line, line);
        QCOMPARE(errors.first().column, column);
        QCOMPARE(errors.first().expected, expected);
    }

    void brokenSheetsApplyAsQtDoes_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<bool>("qtGivesUp");
        QTest::newRow("bad selector drops its rule") << QStringLiteral("QLabel > { background-color: #111111; }\n#after { color: #123456 }") << false;
        QTest::newRow("empty selector in a list") << QStringLiteral("#after { font-size: 13px }\nQLabel, { background-color: #111111; }\n#after { color: #123456 }") << true;
        QTest::newRow("semicolon before a rule") << QStringLiteral("QLabel { background-color: #111111; } ; #after { font-size: 13px }") << false;
        QTest::newRow("declaration without colon") << QStringLiteral("QLabel { color red; font-size: 13px }\n#after { background-color: #123456 }") << false;
        QTest::newRow("empty value") << QStringLiteral("QLabel { color: ; font-size: 13px }#after { background-color: #123456 }") << false;
        QTest::newRow("string cut by a line end") << QStringLiteral("QLabel {\n  font-family: \"DejaVu Sans;\n}\n#after { color: #123456 }") << false;
        QTest::newRow("string swallowing the end") << QStringLiteral("QLabel { background-color: #111111; font-family: \"DejaVu; font-size: 13px }\n#after { color: #123456 }") << true;
        QTest::newRow("comment to the end") << QStringLiteral("QLabel { background-color: #111111; }\n/* fin #after { color: #123456 }") << false;
        QTest::newRow("at-rule") << QStringLiteral("QLabel { background-color: #111111; } @media screen { QLabel { color: #222222 } } #after { font-size: 13px }") << false;
        QTest::newRow("rule cut by the end") << QStringLiteral("#after { background-color: #111111; }\nQLabel { color: #222222") << true;
        QTest::newRow("declarations alone") << QStringLiteral("color: #222222; font-size: 13px") << false;
    }

    // What Qt keeps of a broken sheet, the cascade keeps too.
    void brokenSheetsApplyAsQtDoes()
    {
        QFETCH(QString, sheet);
        QFETCH(bool, qtGivesUp);
        if (qtGivesUp)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Could not parse stylesheet")));
        QWidget window;
        auto* label = new QLabel(QStringLiteral("Texte"), &window);
        label->setObjectName(QStringLiteral("after"));
        window.setStyleSheet(sheet);
        label->ensurePolished();
        const QStringList faults = compareWithQt(label, true);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    void rulesTextMarksOverriddenDeclarations()
    {
        qApp->setStyleSheet(QStringLiteral("QPushButton { color: #111111; padding: 4px }\n"
                                           "QPushButton:hover { color: #222222 }"));
        QWidget window;
        window.setObjectName(QStringLiteral("fenetre"));
        window.setStyleSheet(QStringLiteral("QPushButton { padding: 2px !important }\n\n#ok, QLabel { color: #333333 }"));
        auto* ok = new QPushButton(QStringLiteral("OK"), &window);
        ok->setObjectName(QStringLiteral("ok"));
        ok->setStyleSheet(QStringLiteral("border: 1px solid red"));
        QCOMPARE(tarnwickview::get_style_rules(ok),
                 QStringLiteral("Feuille de style de l'application\n"
                                "  ligne 1 : QPushButton — spécificité (0,0,1)\n"
                                "    color: #111111 — remplacée par #ok (QWidget  [#fenetre], ligne 3)\n"
                                "    padding: 4px — remplacée par QPushButton (QWidget  [#fenetre], ligne 1)\n"
                                "  ligne 2 : QPushButton:hover — spécificité (0,1,1) — si :hover\n"
                                "    color: #222222 — remplacée par #ok (QWidget  [#fenetre], ligne 3)\n"
                                "Feuille de style de QWidget  [#fenetre]\n"
                                "  ligne 1 : QPushButton — spécificité (0,0,1)\n"
                                "    padding: 2px !important — appliquée\n"
                                "  ligne 3 : #ok — spécificité (1,0,0)\n"
                                "    color: #333333 — appliquée\n"
                                "Feuille de style de QPushButton  'OK'  [#ok]\n"
                                "  ligne 1 : * — spécificité (0,0,0)\n"
                                "    border: 1px solid red — appliquée"));
        QLabel lone;
        QCOMPARE(tarnwickview::get_style_rules(&lone),
                 QStringLiteral("Feuille de style de l'application\n  aucune règle ne correspond"));
    }

    void reportListsRulesWithoutEffect()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("fenetre"));
        window.setStyleSheet(QStringLiteral("QLabel { color: red }\nQSlider { color: blue }\n"
                                            "QFrame[frameShape=\"5\"], #absent { border: none }"));
        auto* line = new QFrame(&window);
        line->setFrameShape(QFrame::HLine);
        auto* label = new QLabel(QStringLiteral("Texte"), &window);
        label->setStyleSheet(QStringLiteral("color: green"));
        QCOMPARE(tarnwickview::get_style_report(&window),
                 QStringLiteral("Feuille de style de QWidget  [#fenetre]\n"
                                "  règle sans effet ligne 2 : QSlider\n"
                                "  règle sans effet ligne 3 : QFrame[frameShape=\"5\"], #absent\n"
                                "Feuille de style de QLabel  'Texte'\n"
                                "  aucun problème"));
        QFrame lone;
        QCOMPARE(tarnwickview::get_style_report(&lone), QStringLiteral("Aucune feuille de style."));
    }

    void nullWidgetsAreRejected()
    {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::get_style_rules(nullptr));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::get_style_report(nullptr));
    }
};

QTEST_MAIN(TestStyleCascade)
#include "tst_style_cascade.moc"
