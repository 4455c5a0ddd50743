// SPDX-License-Identifier: MIT
#pragma once

// QTest::failOnWarning catches warnings only, and QTest::ignoreMessage cannot prove that a
// message did NOT come: the tests that must show an operation reported no critical at all, or
// exactly the ones listed, collect them here.

#include <QString>
#include <QStringList>
#include <QtGlobal>

/// Keeps the critical messages sent while it lives; other messages go on to the test's handler.
class CriticalLog
{
public:
    CriticalLog() { _previous = qInstallMessageHandler(&CriticalLog::record); }
    ~CriticalLog()
    {
        qInstallMessageHandler(_previous);
        _criticals.clear();
    }
    CriticalLog(const CriticalLog&) = delete;
    CriticalLog& operator=(const CriticalLog&) = delete;

    /// The critical messages received so far, in order.
    QStringList criticals() const { return _criticals; }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtCriticalMsg)
            _criticals.append(message);
        else
            _previous(type, context, message);
    }

    static inline QtMessageHandler _previous = nullptr;
    static inline QStringList _criticals;
};
