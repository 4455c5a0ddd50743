// SPDX-License-Identifier: MIT
#pragma once

// Private to the preload module: when the reports on a program's windows are written.

#include "tree_appender_p.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTimer;
class QWidget;

namespace tarnwickview::detail {

/// Writes reports on each application window once per window, at the moment `When` says. Every
/// report of a window is written at the same moment, each to its own file.
class ReportSchedule : public QObject
{
public:
    /// When a window's reports are written.
    enum class When {
        Shown,   ///< as soon as the window is first shown
        Settled, ///< once its widget tree has stopped changing after it was first shown
        Exit,    ///< when the application leaves its event loop, for the windows still there
    };

    /// How long a shown window's widget tree must stay unchanged to count as settled.
    static constexpr int QUIET_MS = 300;
    /// How long after it is shown a window that keeps changing still gets its reports.
    static constexpr int BOUND_MS = 3000;

    /// `shown`, `settled` or `exit`; nothing for any other text.
    static std::optional<When> parseWhen(const QString& text);

    /// A schedule without reports yet, owned by `parent`.
    ReportSchedule(When when, QObject* parent);
    ~ReportSchedule() override;
    Q_DISABLE_COPY_MOVE(ReportSchedule)

    /// Appends the text `make` returns for each window to the file at `path`.
    void addReport(std::function<QString(QWidget*)> make, const QString& path);

    /// Whether any report is to be written.
    bool isEmpty() const { return _reports.empty(); }

    /// The file of each report, in the order they were added.
    QStringList paths() const;

    /// `window`, an application window, was shown.
    void windowShown(QWidget* window);
    /// A widget of `window` was added, removed, shown or hidden.
    void treeChanged(QWidget* window);
    /// `window` is being hidden: a report still waiting is written now, while it is whole.
    void windowHidden(QWidget* window);

private:
    struct Report
    {
        std::function<QString(QWidget*)> make;
        TreeAppender file;
    };
    struct Waiting
    {
        QPointer<QWidget> window;
        QTimer* quiet = nullptr;
        QElapsedTimer sinceShown;
    };

    void write(QWidget* window);
    void settle(const QWidget* window);
    void writeAllWaiting();

    When _when;
    std::vector<std::unique_ptr<Report>> _reports;
    // Windows whose reports were written; a later window may be given the address of a
    // destroyed one, so an entry leaves with its window.
    QSet<const QObject*> _written;
    // Windows shown whose reports wait, in the order they were shown.
    QList<Waiting> _waiting;
};

} // namespace tarnwickview::detail
