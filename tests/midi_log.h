// The program's MIDI log (category velantra.midi) while a test lives.
#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <mutex>
#include <vector>

namespace velantra {

class MidiLog {
public:
    MidiLog()
    {
        {
            const std::lock_guard lock(mutex());
            lines().clear();
        }
        previous() = qInstallMessageHandler(&MidiLog::handle);
    }
    ~MidiLog() { qInstallMessageHandler(previous()); }
    MidiLog(const MidiLog&) = delete;
    MidiLog& operator=(const MidiLog&) = delete;
    // The lines that contain text.
    int count(const QString& text) const
    {
        const std::lock_guard lock(mutex());
        return static_cast<int>(
            std::count_if(lines().begin(), lines().end(), [&](const QString& line) { return line.contains(text); }));
    }

private:
    static QtMessageHandler& previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::vector<QString>& lines()
    {
        static std::vector<QString> all;
        return all;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (context.category != nullptr && qstrcmp(context.category, "velantra.midi") == 0) {
            const std::lock_guard lock(mutex());
            lines().push_back(text);
        }
        if (previous() != nullptr) {
            previous()(type, context, text);
        }
    }
};

}  // namespace velantra
