// Writes the starting corpora of the fuzz targets with the program's own
// writers: fuzz_seeds DIR makes DIR/show, DIR/patch, DIR/color, DIR/settings
// and DIR/wire. Nothing binary is kept in the repository; tools/fuzz.sh runs
// this before every fuzzing run.
#include "channels/channel_tables.h"
#include "engine/atomic_array.h"
#include "engine/engine.h"
#include "engine/show_memory.h"
#include "link/wire_encoder.h"
#include "storage/color_file.h"
#include "storage/patch_file.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace velantra {
namespace {

bool failed = false;

void report(const FileResult& result, const QString& path)
{
    if (!result.ok) {
        std::fprintf(stderr, "fuzz_seeds: %s: %s\n", qPrintable(path), qPrintable(result.message));
        failed = true;
    }
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A copy of a seed cut or lengthened, so both sides of the size a reader needs
// are in the corpus from the start.
void variant(const QString& from, const QString& to, qsizetype size)
{
    QByteArray bytes = contents(from);
    if (size < bytes.size()) {
        bytes.truncate(size);
    } else {
        bytes.append(QByteArray(size - bytes.size(), '\x5A'));
    }
    QFile file(to);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(to));
        failed = true;
    }
}

void writeBytes(const QString& path, const std::uint8_t* bytes, int size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes), size) != size) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

void showSeeds(const QDir& dir)
{
    ShowMemory memory;
    memory.writeHeader();
    const QString blank = dir.filePath(QStringLiteral("new-show.vlt"));
    report(writeShowFile(blank, memory), blank);

    // Named channels, a rate table, pictures and scenes with levels.
    for (int c = 0; c < 256; ++c) {
        memory.set(static_cast<std::size_t>(RateBase + c), static_cast<std::uint8_t>(1 + c % 50));
    }
    for (int c = 0; c < 256; ++c) {
        const QByteArray name = QByteArray("Channel ") + QByteArray::number(c);
        for (int k = 0; k < NameLength && k < name.size(); ++k) {
            memory.set(static_cast<std::size_t>(NameBase + NameLength * c + k), static_cast<std::uint8_t>(name[k]));
        }
    }
    for (int i = PictureBase; i < ShowFileSize; ++i) {
        memory.set(static_cast<std::size_t>(i), static_cast<std::uint8_t>((i * 7) ^ (i >> 8)));
    }
    memory.set(CellScene, 3);
    memory.set(CellLastScene, 40);
    memory.set(CellTempo, 120);
    const QString full = dir.filePath(QStringLiteral("show.vlt"));
    report(writeShowFile(full, memory), full);
    variant(full, dir.filePath(QStringLiteral("show-one-byte-short.vlt")), ShowFileSize - 1);
    variant(full, dir.filePath(QStringLiteral("show-with-tail.vlt")), ShowFileSize + 64);
    variant(full, dir.filePath(QStringLiteral("show-header-only.vlt")), HeaderSize);
}

void patchSeeds(const QDir& dir)
{
    AtomicArray<std::uint16_t, CoderEntries> table;
    for (std::size_t k = 0; k < CoderEntries; ++k) {
        table.set(k, static_cast<std::uint16_t>(k));
    }
    const QString identity = dir.filePath(QStringLiteral("identity.vdx"));
    report(writePatchFile(identity, table), identity);

    for (std::size_t k = 0; k < 256; ++k) {
        table.set(k, static_cast<std::uint16_t>(255 - k));
    }
    table.set(7, 0x1234);  // written as it stands, replaced on reading
    table.set(200, 256);
    const QString reversed = dir.filePath(QStringLiteral("reversed.vdx"));
    report(writePatchFile(reversed, table), reversed);
    variant(reversed, dir.filePath(QStringLiteral("reversed-short.vdx")), PatchFileSize - 1);
    variant(reversed, dir.filePath(QStringLiteral("reversed-with-tail.vdx")), PatchFileSize + 16);
}

void colorSeeds(const QDir& dir)
{
    ChannelTables tables;
    const QString plain = dir.filePath(QStringLiteral("default.col"));
    report(writeColorFile(plain, tables), plain);

    for (std::size_t c = 0; c < 512; ++c) {
        tables.gobo[c] = static_cast<std::uint8_t>(c % 150);
        tables.borderRed[c] = static_cast<std::uint8_t>(c * 3);
        tables.borderGreen[c] = static_cast<std::uint8_t>(c * 5);
        tables.borderBlue[c] = static_cast<std::uint8_t>(c * 7);
        tables.nameRed[c] = static_cast<std::uint8_t>(255 - c);
    }
    const QString colored = dir.filePath(QStringLiteral("colored.col"));
    report(writeColorFile(colored, tables), colored);
    variant(colored, dir.filePath(QStringLiteral("colored-short.col")), ColorFileSize - 1);
    variant(colored, dir.filePath(QStringLiteral("colored-with-tail.col")), ColorFileSize + 16);
}

void settingsSeeds(const QDir& dir)
{
    const QString empty = dir.filePath(QStringLiteral("empty.ini"));
    report(writeSettings(empty, Settings{}), empty);

    Settings settings;
    settings.konveir[0] = QStringLiteral("C:\\shows\\Gala.vlt");
    settings.konveir[1] = QStringLiteral("C:\\shows\\Концерт 2024.vlt");
    settings.konveir[4] = QStringLiteral("/home/light/shows/a; b.vlt");
    settings.konveir[19] = QStringLiteral("C:\\shows\\") + QString(170, QLatin1Char('x')) + QStringLiteral(".vlt");
    settings.path = QStringLiteral("C:\\shows\\Gala.vlt");
    settings.coder = QStringLiteral("C:\\KORVEX\\VELANTRA\\Vela43.vdx");
    const QString typical = dir.filePath(QStringLiteral("Vela43.ini"));
    report(writeSettings(typical, settings), typical);

    // The same file as an editor on Windows leaves it: a byte-order mark,
    // line ends with a carriage return, comments and indented keys.
    QByteArray edited = "\xEF\xBB\xBF; conveyor\r\n" + contents(typical).replace("\n", "\r\n");
    edited.replace("File02=", "  file02 = ");
    edited.replace("[LastFile]", "# last\r\n[LASTFILE]");
    QFile file(dir.filePath(QStringLiteral("Vela43-edited.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(edited) != edited.size()) {
        failed = true;
    }
}

void wireSeeds(const QDir& dir)
{
    std::array<std::uint8_t, WireSlots> frame{};
    std::array<std::uint8_t, WireMessageMax> message{};
    int n = encodeWireFrame(frame.data(), message.data(), message.size());
    writeBytes(dir.filePath(QStringLiteral("dark.msg")), message.data(), n);

    for (std::size_t i = 1; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(i % 3 == 0 ? 255 : i);
    }
    n = encodeWireFrame(frame.data(), message.data(), message.size());
    writeBytes(dir.filePath(QStringLiteral("levels.msg")), message.data(), n);
    writeBytes(dir.filePath(QStringLiteral("levels.frame")), frame.data(), static_cast<int>(frame.size()));

    frame.fill(255);
    n = encodeWireFrame(frame.data(), message.data(), message.size());
    writeBytes(dir.filePath(QStringLiteral("full.msg")), message.data(), n);
}

}  // namespace
}  // namespace velantra

int main(int argc, char** argv)
{
    using namespace velantra;
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const std::array<const char*, 5> names{"show", "patch", "color", "settings", "wire"};
    for (const char* name : names) {
        if (!root.mkpath(QString::fromLatin1(name))) {
            std::fprintf(stderr, "fuzz_seeds: cannot create %s/%s\n", argv[1], name);
            return 1;
        }
    }
    showSeeds(QDir(root.filePath(QStringLiteral("show"))));
    patchSeeds(QDir(root.filePath(QStringLiteral("patch"))));
    colorSeeds(QDir(root.filePath(QStringLiteral("color"))));
    settingsSeeds(QDir(root.filePath(QStringLiteral("settings"))));
    wireSeeds(QDir(root.filePath(QStringLiteral("wire"))));
    return failed ? 1 : 0;
}
