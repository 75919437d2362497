// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

// Collects the warnings (or the messages of another level) of one logging category (e.g.
// "gloamery.device") while it lives.
class WarningRecorder {
public:
    explicit WarningRecorder(const char* category, QtMsgType type = QtWarningMsg) {
        s_category = category;
        s_type = type;
        s_messages.clear();
        m_previous = qInstallMessageHandler(&WarningRecorder::record);
    }
    ~WarningRecorder() { qInstallMessageHandler(m_previous); }
    WarningRecorder(const WarningRecorder&) = delete;
    WarningRecorder& operator=(const WarningRecorder&) = delete;

    static const QStringList& messages() { return s_messages; }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == s_type && context.category && s_category == context.category)
            s_messages.append(text);
    }
    static inline QByteArray s_category;
    static inline QtMsgType s_type = QtWarningMsg;
    static inline QStringList s_messages;
    QtMessageHandler m_previous;
};
