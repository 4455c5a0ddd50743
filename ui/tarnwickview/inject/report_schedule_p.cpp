// SPDX-License-Identifier: MIT
#include "report_schedule_p.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace tarnwickview::detail {
namespace {

// The timer may be the one whose timeout is being handled.
void discard(QTimer* timer)
{
    if (!timer)
        return;
    timer->stop();
    timer->deleteLater();
}

} // namespace

std::optional<ReportSchedule::When> ReportSchedule::parseWhen(const QString& text)
{
    if (text == QLatin1String("shown"))
        return When::Shown;
    if (text == QLatin1String("settled"))
        return When::Settled;
    if (text == QLatin1String("exit"))
        return When::Exit;
    return std::nullopt;
}

ReportSchedule::ReportSchedule(When when, QObject* parent)
    : QObject(parent)
    , _when(when)
{
    // A program that quits before its windows settle still leaves their reports behind.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &ReportSchedule::writeAllWaiting);
}

ReportSchedule::~ReportSchedule() = default;

void ReportSchedule::addReport(std::function<QString(QWidget*)> make, const QString& path)
{
    _reports.push_back(std::make_unique<Report>(Report{std::move(make), TreeAppender(path)}));
}

QStringList ReportSchedule::paths() const
{
    QStringList result;
    for (const auto& report : _reports)
        result << report->file.path();
    return result;
}

void ReportSchedule::windowShown(QWidget* window)
{
    if (_reports.empty() || _written.contains(window))
        return;
    for (const Waiting& waiting : std::as_const(_waiting)) {
        if (waiting.window == window)
            return;
    }
    if (_when == When::Shown) {
        write(window);
        return;
    }
    Waiting waiting{window, nullptr, {}};
    if (_when == When::Settled) {
        waiting.quiet = new QTimer(this);
        waiting.quiet->setSingleShot(true);
        waiting.quiet->setInterval(QUIET_MS);
        connect(waiting.quiet, &QTimer::timeout, this, [this, window] { settle(window); });
        waiting.quiet->start();
        waiting.sinceShown.start();
    }
    _waiting.append(waiting);
    connect(window, &QObject::destroyed, this, [this, window] {
        for (qsizetype i = 0; i < _waiting.size(); ++i) {
            if (_waiting.at(i).window.isNull() || _waiting.at(i).window == window) {
                discard(_waiting.at(i).quiet);
                _waiting.removeAt(i--);
            }
        }
    });
}

void ReportSchedule::treeChanged(QWidget* window)
{
    if (_when != When::Settled)
        return;
    for (const Waiting& waiting : std::as_const(_waiting)) {
        if (waiting.window != window)
            continue;
        // The bound keeps a window that never stops changing from waiting for ever.
        const qint64 left = BOUND_MS - waiting.sinceShown.elapsed();
        waiting.quiet->start(int(std::clamp<qint64>(left, 0, QUIET_MS)));
        return;
    }
}

void ReportSchedule::windowHidden(QWidget* window)
{
    if (_when == When::Settled)
        settle(window);
}

void ReportSchedule::settle(const QWidget* window)
{
    for (qsizetype i = 0; i < _waiting.size(); ++i) {
        if (_waiting.at(i).window != window)
            continue;
        const Waiting waiting = _waiting.takeAt(i);
        discard(waiting.quiet);
        if (waiting.window)
            write(waiting.window);
        return;
    }
}

void ReportSchedule::writeAllWaiting()
{
    const QList<Waiting> waiting = std::exchange(_waiting, {});
    for (const Waiting& entry : waiting) {
        discard(entry.quiet);
        if (entry.window)
            write(entry.window);
    }
}

void ReportSchedule::write(QWidget* window)
{
    if (_written.contains(window))
        return;
    _written.insert(window);
    connect(window, &QObject::destroyed, this, [this, window] { _written.remove(window); });
    for (const auto& report : _reports)
        report->file.append(report->make(window));
}

} // namespace tarnwickview::detail
