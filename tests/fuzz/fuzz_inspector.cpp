// SPDX-License-Identifier: MIT
// Fuzzes what the inspector writes of caller-supplied texts: tab titles, which it quotes and
// escapes in a tab widget's label, and object names, which it writes into the style template.
//
// The input is read as UTF-16 code units, so that lone surrogates and every plane are reached.
// Its first byte gives the number of titles; the rest is cut into that many titles. Each run
// checks that the label's list form reads back to exactly the titles that were set, and that
// every well-formed name gets its block in the template.

#include <tarnwickview/tarnwickview.h>

#include "name_selector_p.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// Reads the list form of tab titles ("[", quoted titles separated by ", ", "]") back into the
// titles, following the quoting rules the inspector writes. Returns nothing on any deviation.
class TitleListReader
{
public:
    explicit TitleListReader(const QString& text)
        : _text(text)
    {
    }

    std::optional<QStringList> read()
    {
        QStringList titles;
        if (!take(u'['))
            return std::nullopt;
        if (take(u']'))
            return _pos == _text.size() ? std::optional(titles) : std::nullopt;
        for (;;) {
            auto title = readQuoted();
            if (!title)
                return std::nullopt;
            titles.append(*title);
            if (take(u']'))
                return _pos == _text.size() ? std::optional(titles) : std::nullopt;
            if (!take(u',') || !take(u' '))
                return std::nullopt;
        }
    }

private:
    bool take(char16_t c)
    {
        if (_pos < _text.size() && _text[_pos] == QChar(c)) {
            ++_pos;
            return true;
        }
        return false;
    }

    std::optional<uint32_t> readHex(int digits)
    {
        if (_pos + digits > _text.size())
            return std::nullopt;
        uint32_t value = 0;
        for (int i = 0; i < digits; ++i) {
            const char16_t c = _text[_pos++].unicode();
            int digit;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else
                return std::nullopt; // the inspector writes lowercase digits only
            value = value * 16 + uint32_t(digit);
        }
        return value;
    }

    std::optional<QString> readQuoted()
    {
        if (_pos >= _text.size())
            return std::nullopt;
        const QChar quote = _text[_pos++];
        if (quote != u'\'' && quote != u'"')
            return std::nullopt;
        QString title;
        while (_pos < _text.size()) {
            const QChar c = _text[_pos++];
            if (c == quote)
                return title;
            if (c != u'\\') {
                title.append(c);
                continue;
            }
            if (_pos >= _text.size())
                return std::nullopt;
            const QChar escaped = _text[_pos++];
            std::optional<uint32_t> codePoint;
            switch (escaped.unicode()) {
            case u'\\':
                title.append(u'\\');
                break;
            case u'\'':
                title.append(u'\'');
                break;
            case u'"':
                title.append(u'"');
                break;
            case u't':
                title.append(u'\t');
                break;
            case u'n':
                title.append(u'\n');
                break;
            case u'r':
                title.append(u'\r');
                break;
            case u'x':
                codePoint = readHex(2);
                break;
            case u'u':
                codePoint = readHex(4);
                break;
            case u'U':
                codePoint = readHex(8);
                break;
            default:
                return std::nullopt;
            }
            if (escaped == u'x' || escaped == u'u' || escaped == u'U') {
                if (!codePoint || *codePoint > 0x10FFFF)
                    return std::nullopt;
                if (*codePoint >= 0x10000) {
                    const char32_t astral = *codePoint;
                    title.append(QString::fromUcs4(&astral, 1));
                } else {
                    title.append(QChar(char16_t(*codePoint)));
                }
            }
        }
        return std::nullopt;
    }

    const QString& _text;
    qsizetype _pos = 0;
};

[[noreturn]] void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "fuzz_inspector: %s\n%s\n", what, detail.toUtf8().constData());
    std::abort();
}

QStringList titlesFrom(const uint8_t* data, size_t size)
{
    if (size == 0)
        return {};
    const int count = 1 + data[0] % 6;
    QString units;
    for (size_t i = 1; i + 1 < size; i += 2)
        units.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
    QStringList titles;
    const qsizetype chunk = units.size() / count;
    for (int i = 0; i < count; ++i)
        titles.append(units.mid(i * chunk, i == count - 1 ? -1 : chunk));
    return titles;
}

void checkTabTitles(const QStringList& titles)
{
    QTabWidget tabs;
    for (const QString& title : titles)
        tabs.addTab(new QWidget, title);
    QStringList shown;
    for (int i = 0; i < tabs.count(); ++i)
        shown.append(tabs.tabText(i)); // Qt may adjust titles (mnemonics stay); compare to what it holds

    const QString tree = tarnwickview::get_tree(&tabs);
    const QString label = tree.left(tree.indexOf(u'\n'));
    const QString prefix = QStringLiteral("QTabWidget  ");
    if (!label.startsWith(prefix))
        fail("tab widget label has the wrong prefix", label);
    const QString listForm = label.mid(prefix.size());
    const auto read = TitleListReader(listForm).read();
    if (!read)
        fail("list form of tab titles does not parse", listForm);
    if (*read != shown)
        fail("list form of tab titles does not read back to the titles", listForm);
}

void checkTemplateNames(const QStringList& names)
{
    static QTemporaryDir dir;
    QWidget root;
    auto* layout = new QVBoxLayout(&root);
    for (const QString& name : names) {
        auto* label = new QLabel;
        label->setObjectName(name);
        layout->addWidget(label);
    }
    const QString path = dir.filePath(QStringLiteral("style.qss"));
    tarnwickview::generate_qss(&root, path);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("template was not written", path);
    const QString written = QString::fromUtf8(file.readAll());
    for (const QString& name : names) {
        if (name.isEmpty() || !name.isValidUtf16())
            continue;
        if (!written.contains(tarnwickview::detail::nameSelector(name) + QStringLiteral(" {\n")))
            fail("a named widget has no block in the template", name);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_inspector";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    // The template's confirmation line would flood the fuzzer's output.
    std::freopen("/dev/null", "w", stdout);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList titles = titlesFrom(data, size);
    checkTabTitles(titles);
    checkTemplateNames(titles);
    return 0;
}
