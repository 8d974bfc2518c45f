// The show the usage tools play: three scenes x 255 channels that all change
// from scene to scene, tempo 10 (a scene every 100 ms), written with the
// settings that make it the last show and, if asked, send sACN to the loopback.
#pragma once

#include "engine/engine.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QDir>
#include <QString>

#include <memory>

namespace velantra {

// Writes home/Busy.vlt and home/data/korvex/velantra/Vela43.ini (the data
// directory for XDG_DATA_HOME=home/data); false when either cannot be written.
inline bool writeBusyShow(const QString& home, bool sacn = true)
{
    const QString data = home + QStringLiteral("/data/korvex/velantra");
    QDir().mkpath(data);
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 2);
    engine->memory.set(CellTempo, 10);
    for (int c = 1; c <= LastChannel; ++c) {
        engine->memory.set(RateBase + c, 255);
        for (int s = 0; s < 3; ++s) {
            engine->DataWrite(static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(c),
                              static_cast<std::uint8_t>((c * 7 + s * 85) % 256));
        }
    }
    const QString show = home + QStringLiteral("/Busy.vlt");
    Settings settings;
    settings.path = show;
    settings.sacn.enabled = sacn ? QStringLiteral("1") : QStringLiteral("0");
    settings.sacn.destination = QStringLiteral("127.0.0.1");
    return writeShowFile(show, engine->memory).ok && writeSettings(data + QStringLiteral("/Vela43.ini"), settings).ok;
}

}  // namespace velantra
