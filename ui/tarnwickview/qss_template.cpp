// SPDX-License-Identifier: MIT
#include "tarnwickview.h"

#include "atomic_file_writer_p.h"
#include "messages_p.h"
#include "name_selector_p.h"
#include "node_label_p.h"
#include "standard_output_p.h"
#include "thread_check_p.h"
#include "visual_children_p.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>
#include <array>
#include <filesystem>
#include <typeinfo>
#include <vector>

namespace tarnwickview {
namespace {

struct QssTemplate
{
    const std::type_info* type;
    const char* block;
};

// Keyed by the exact C++ class: a subclass is another kind of widget to style and gets no block,
// even one declared without its own run-time class information.
const std::array<QssTemplate, 10> QSS_TEMPLATES{{
    {&typeid(QPushButton), "QPushButton {\n"
                           "    /* background-color: ;\n"
                           "    color: ;\n"
                           "    border-radius: px;\n"
                           "    padding: px px; */\n"
                           "}\n"
                           "QPushButton:hover {\n"
                           "    /* background-color: ; */\n"
                           "}\n"
                           "QPushButton:pressed {\n"
                           "    /* background-color: ; */\n"
                           "}"},
    {&typeid(QLabel), "QLabel {\n"
                      "    /* color: ;\n"
                      "    font-size: px;\n"
                      "    font-weight: bold; */\n"
                      "}"},
    {&typeid(QLineEdit), "QLineEdit {\n"
                         "    /* background-color: ;\n"
                         "    border: 1px solid ;\n"
                         "    border-radius: px;\n"
                         "    padding: px; */\n"
                         "}\n"
                         "QLineEdit:focus {\n"
                         "    /* border-color: ; */\n"
                         "}"},
    {&typeid(QComboBox), "QComboBox {\n"
                         "    /* background-color: ;\n"
                         "    border: 1px solid ;\n"
                         "    border-radius: px; */\n"
                         "}"},
    {&typeid(QCheckBox), "QCheckBox {\n"
                         "    /* color: ;\n"
                         "    spacing: px; */\n"
                         "}"},
    {&typeid(QTabWidget), "QTabWidget::pane {\n"
                          "    /* border: 1px solid ;\n"
                          "    background-color: ; */\n"
                          "}\n"
                          "QTabBar::tab {\n"
                          "    /* background-color: ;\n"
                          "    padding: px px;\n"
                          "    border-radius: px px 0 0; */\n"
                          "}\n"
                          "QTabBar::tab:selected {\n"
                          "    /* background-color: ; */\n"
                          "}\n"
                          "QTabBar::tab:hover {\n"
                          "    /* background-color: ; */\n"
                          "}"},
    {&typeid(QScrollArea), "QScrollArea {\n"
                           "    /* border: none; */\n"
                           "}\n"
                           "QScrollBar:vertical {\n"
                           "    /* width: px;\n"
                           "    background: ; */\n"
                           "}\n"
                           "QScrollBar::handle:vertical {\n"
                           "    /* background: ;\n"
                           "    border-radius: px; */\n"
                           "}"},
    {&typeid(QProgressBar), "QProgressBar {\n"
                            "    /* border: 1px solid ;\n"
                            "    border-radius: px;\n"
                            "    background-color: ; */\n"
                            "}\n"
                            "QProgressBar::chunk {\n"
                            "    /* background-color: ;\n"
                            "    border-radius: px; */\n"
                            "}"},
    {&typeid(QSlider), "QSlider::groove:horizontal {\n"
                       "    /* height: px;\n"
                       "    background: ; */\n"
                       "}\n"
                       "QSlider::handle:horizontal {\n"
                       "    /* width: px;\n"
                       "    background: ;\n"
                       "    border-radius: px; */\n"
                       "}"},
    {&typeid(QFrame), "QFrame {\n"
                      "    /* background-color: ;\n"
                      "    border: 1px solid ; */\n"
                      "}"},
}};

void walk(QWidget* obj, QList<QWidget*>& result, QSet<const QObject*>& seen)
{
    if (seen.contains(obj))
        return;
    seen.insert(obj);
    result.append(obj);
    for (QWidget* child : detail::visualChildren(obj))
        walk(child, result, seen);
}

// Every widget of the tree once, in the order get_tree lists them.
QList<QWidget*> collectWidgets(QWidget* root)
{
    QList<QWidget*> result;
    QSet<const QObject*> seen;
    walk(root, result, seen);
    return result;
}

// Everything before the last separator; empty for a bare file name, which lives in the current
// directory and needs nothing created.
std::filesystem::path directoryPart(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return {};
    return std::filesystem::path(QFile::encodeName(path.left(slash)).toStdString());
}

// The folders that making `directory` creates, removed again unless the write that needed them
// succeeds: a failed call leaves the disk as it found it. Only empty folders are removed, so
// anything another process put there meanwhile stays.
class CreatedDirectories
{
public:
    explicit CreatedDirectories(const std::filesystem::path& directory)
    {
        if (directory.empty())
            return;
        for (std::filesystem::path p = directory; !p.empty(); p = p.parent_path()) {
            std::error_code error;
            if (std::filesystem::symlink_status(p, error).type() != std::filesystem::file_type::not_found)
                break;
            _created.push_back(p);
            if (p == p.parent_path())
                break;
        }
        try {
            std::filesystem::create_directories(directory);
        } catch (...) {
            removeCreated();
            throw;
        }
    }
    ~CreatedDirectories() { removeCreated(); }
    CreatedDirectories(const CreatedDirectories&) = delete;
    CreatedDirectories& operator=(const CreatedDirectories&) = delete;

    void keep() { _created.clear(); }

private:
    void removeCreated() noexcept
    {
        for (const std::filesystem::path& p : _created) {
            std::error_code ignored;
            std::filesystem::remove(p, ignored);
        }
        _created.clear();
    }

    std::vector<std::filesystem::path> _created; // deepest first
};

} // namespace

void generate_qss(QWidget* root, const QString& path)
{
    detail::requireGuiThread("tarnwickview::generate_qss");
    detail::requireRoot(root);

    const QList<QWidget*> widgets = collectWidgets(root);

    // The file is a series of entries joined with line feeds; an entry may hold line feeds itself.
    QString content;
    auto entry = [&content](QStringView text) {
        if (!content.isEmpty())
            content += QLatin1Char('\n');
        content += text;
    };
    entry(u"/* ================================================================ */");
    entry(u"/* QSS généré automatiquement par tarnwickview                      */");
    entry(u"/* Décommentez et modifiez les propriétés que vous voulez utiliser  */");
    entry(u"/* ================================================================ */\n");
    entry(u"/* ── Styles globaux par type de widget ── */\n");

    std::array<bool, QSS_TEMPLATES.size()> seenTypes{};
    for (const QWidget* widget : widgets) {
        const std::type_info& type = typeid(*widget);
        const auto found = std::find_if(QSS_TEMPLATES.begin(), QSS_TEMPLATES.end(),
                                        [&type](const QssTemplate& t) { return *t.type == type; });
        if (found == QSS_TEMPLATES.end())
            continue;
        bool& seen = seenTypes[size_t(found - QSS_TEMPLATES.begin())];
        if (seen)
            continue;
        seen = true;
        entry(QString::fromUtf8(found->block));
        entry({});
    }

    bool named = false;
    for (const QWidget* widget : widgets) {
        const QString name = widget->objectName();
        if (name.isEmpty())
            continue;
        if (!named) {
            entry(u"\n/* ── Styles spécifiques par nom (#objectName) ── */\n");
            named = true;
        }
        entry(u"/* ");
        content += detail::shortClassName(widget);
        content += QLatin1String(" */");
        entry(detail::nameSelector(name));
        content += QLatin1String(" {");
        entry(u"    /* background-color: ; */");
        entry(u"    /* color: ; */");
        entry(u"}");
        entry({});
    }

    CreatedDirectories directories(directoryPart(path));
    detail::writeUtf8File(path, content);
    directories.keep();
    detail::printLine(detail::qssGeneratedMessage(path));
}

} // namespace tarnwickview
