#pragma once

// Captures what Qt's message handler receives while a test runs, so that a test can state exactly
// which reports an operation produced (and that it produced no other).

#include <QString>
#include <QStringList>
#include <QtGlobal>

/// Installs itself as the message handler for its lifetime; messages are kept, not printed.
class MessageLog
{
public:
    MessageLog() { _previous = qInstallMessageHandler(&MessageLog::record); }
    ~MessageLog()
    {
        qInstallMessageHandler(_previous);
        _criticals.clear();
        _warnings.clear();
    }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    /// The critical messages received so far, in order.
    QStringList criticals() const { return _criticals; }

    /// The warnings received so far, in order.
    QStringList warnings() const { return _warnings; }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtCriticalMsg)
            _criticals.append(message);
        else if (type == QtWarningMsg)
            _warnings.append(message);
        else if (type == QtFatalMsg)
            _previous(type, context, message);
    }

    static inline QtMessageHandler _previous = nullptr;
    static inline QStringList _criticals;
    static inline QStringList _warnings;
};
