// Writes the starting corpora of the fuzz targets with the program's own
// writers: fuzz_seeds DIR makes DIR/show, DIR/patch, DIR/color, DIR/settings,
// DIR/wire, DIR/sacn, DIR/artpoll and DIR/artpollreply for the network
// packet decoders, and DIR/showjson (shows exported as JSON). Nothing binary is kept in the repository; tools/fuzz.sh
// runs this before every fuzzing run.
#include "engine/atomic_array.h"
#include "engine/engine.h"
#include "engine/show_memory.h"
#include "link/wire_encoder.h"
#include "midi/bindings_file.h"
#include "network/artnet_packet.h"
#include "network/sacn_packet.h"
#include "showtool/show_json.h"
#include "storage/channel_tables.h"
#include "storage/color_file.h"
#include "storage/patch_file.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"
#include "storage/universes_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

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

void universesSeeds(const QDir& dir)
{
    FurtherPatch patch;
    for (int slot = 1; slot <= 48; ++slot) {
        patch.setSource(0, slot, static_cast<std::uint8_t>(slot));
    }
    patch.setSource(2, 512, 255);
    const QString two = dir.filePath(QStringLiteral("two-universes.json"));
    report(writeUniversesFile(two, patch), two);
    variant(two, dir.filePath(QStringLiteral("two-universes-cut.json")), 200);
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

void writePacket(const QDir& dir, const char* name, std::span<const std::uint8_t> bytes)
{
    writeBytes(dir.filePath(QString::fromLatin1(name)), bytes.data(), static_cast<int>(bytes.size()));
}

void sacnSeeds(const QDir& dir)
{
    sacn::DataPacket packet;
    std::array<std::uint8_t, sacn::FrameSize> frame{};
    packet.fill(0, frame);
    writePacket(dir, "dark.sacn", packet.bytes());

    const sacn::Cid cid{0x5A, 0x1C, 0x3B, 0x77, 0x02, 0x4E, 0x41, 0x9D, 0x8F, 0x10, 0x22, 0x6B, 0xC4, 0x0D, 0x91, 0xE8};
    // A name of 58 bytes, most of them two-byte characters.
    if (!packet.setSource(cid, "Световой пульт Velantra, сцена и зал", 150, 63999)) {
        failed = true;
    }
    for (std::size_t i = 1; i < frame.size(); ++i) {
        frame[i] = static_cast<std::uint8_t>(i * 5);
    }
    packet.fill(200, frame, sacn::OptionPreview);
    writePacket(dir, "levels.sacn", packet.bytes());

    // A short packet: the start code and four slots, every length word shrunk by 508.
    std::array<std::uint8_t, sacn::PropertyValuesAt + 5> cut{};
    std::copy_n(packet.bytes().begin(), cut.size(), cut.begin());
    const auto shrink = [&cut](std::size_t at) {
        const auto word = static_cast<std::uint16_t>((cut[at] << 8 | cut[at + 1]) - (sacn::SlotCount - 4));
        cut[at] = static_cast<std::uint8_t>(word >> 8);
        cut[at + 1] = static_cast<std::uint8_t>(word & 0xFF);
    };
    for (const std::size_t at : {std::size_t{16}, std::size_t{38}, std::size_t{115}, std::size_t{123}}) {
        shrink(at);
    }
    writePacket(dir, "four-slots.sacn", cut);

    // For the round trip: CID, priority, universe, sequence, options, the 513
    // values and a name of 70 bytes whose cut at 63 falls inside a character.
    std::array<std::uint8_t, 21 + sacn::FrameSize + 70> source{};
    std::copy(cid.begin(), cid.end(), source.begin());
    source[16] = 100;
    source[18] = 1;
    source[19] = 1;
    for (std::size_t i = 0; i < 70; ++i) {
        source[21 + sacn::FrameSize + i] = i % 2 == 0 ? 0xD0 : 0x96;  // "Ж" 35 times
    }
    writePacket(dir, "source.bin", source);

    sacn::DiscoveryPacket discovery;
    const std::array<std::uint16_t, 4> universes{1, 2, 3, 4};
    discovery.set(cid, "Velantra", universes);
    writePacket(dir, "discovery.sacn", discovery.bytes());
}

void artPollSeeds(const QDir& dir)
{
    artnet::ArtPoll poll;
    writePacket(dir, "default.poll", poll.bytes());
    writePacket(dir, "short.poll", poll.bytes().first(artnet::ArtPoll::MinimumSize));
    poll.setFlags(artnet::PollTargeted | artnet::PollReplyOnChange);
    poll.setDiagPriority(artnet::DpHigh);
    poll.setTargetRange(artnet::makePortAddress(1, 0, 0), artnet::makePortAddress(1, 15, 15));
    poll.setManufacturer(0x7FF0, 0x1234);
    writePacket(dir, "targeted.poll", poll.bytes());
}

void artPollReplySeeds(const QDir& dir)
{
    artnet::ArtPollReply reply;
    reply.setController(0xC0A80114, "Velantra", "Velantra lighting desk");
    writePacket(dir, "controller.reply", reply.bytes());
    writePacket(dir, "controller-207.reply", reply.bytes().first(artnet::ArtPollReply::MinimumSize));

    // The same reply made a node with four ports at Net 5, Sub-Net 3.
    std::array<std::uint8_t, artnet::ArtPollReply::Size> node{};
    std::copy(reply.bytes().begin(), reply.bytes().end(), node.begin());
    node[18] = 0x05;
    node[19] = 0x03;
    node[173] = 4;
    const std::array<std::uint8_t, 4> types{0x80, 0x40, 0xC0, 0x80};
    const std::array<std::uint8_t, 4> swOut{0x01, 0x02, 0x03, 0x04};
    std::copy(types.begin(), types.end(), node.begin() + 174);
    std::copy(swOut.begin(), swOut.end(), node.begin() + 190);
    node[200] = artnet::StyleNode;
    writePacket(dir, "node.reply", node);
}

// Shows as velantra-show exports them: a new show, one with raw bytes that
// only the optional keys carry, and a small document that is refused.
void showJsonSeeds(const QDir& dir)
{
    const auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    showtool::ShowImage image(ShowFileSize);
    engine->memory.copyOut(0, ShowFileSize, image.data());
    QByteArray json = showtool::exportShowJson(image);
    writeBytes(dir.filePath(QStringLiteral("new-show.json")), reinterpret_cast<const std::uint8_t*>(json.constData()),
               static_cast<int>(json.size()));

    image[100] = 7;                              // header bytes after the text
    image[NameBase + 2 * NameLength + 3] = 'x';  // a name with bytes after its zero
    image[showtool::SpareBase] = 1;              // a spare cell
    image[sceneAddress(200) + 1] = 255;          // a scene after the last one
    image[NameBase] = 0xC0;                      // a Cyrillic name
    json = showtool::exportShowJson(image);
    writeBytes(dir.filePath(QStringLiteral("raw-bytes.json")), reinterpret_cast<const std::uint8_t*>(json.constData()),
               static_cast<int>(json.size()));

    const QByteArray refused = R"({"format": "velantra-show", "version": 1, "scenes": [[300]]})";
    writeBytes(dir.filePath(QStringLiteral("refused.json")), reinterpret_cast<const std::uint8_t*>(refused.constData()),
               static_cast<int>(refused.size()));
}

void midiSeeds(const QDir& dir)
{
    const std::vector<std::vector<std::uint8_t>> streams{
        {0xB0, 7, 100, 8, 50},                              // running status
        {0x99, 36, 127, 0xF8, 0x89, 36, 0},                 // a clock byte inside
        {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7, 0xE0, 0, 64},  // identity request, then a bend
        {0xB0, 7, 0x90, 60, 100, 0xF2, 1, 2, 3},            // cut, then song position
    };
    int n = 0;
    for (const auto& bytes : streams) {
        writeBytes(dir.filePath(QStringLiteral("stream-%1.midi").arg(++n)), bytes.data(),
                   static_cast<int>(bytes.size()));
    }
}

void midiBindingsSeeds(const QDir& dir)
{
    midi::Bindings b;
    b.output = "nanoKONTROL2:nanoKONTROL2 MIDI 1";
    b.api = "jack";
    midi::BindingSet& set = b.controllers["nanoKONTROL2:nanoKONTROL2 MIDI 1"];
    set.bind({midi::Kind::ControlChange, 0, 0}, {midi::TargetKind::Fader, 1});
    set.bind({midi::Kind::Note, 9, 36}, {midi::TargetKind::Picture, 16});
    set.bind({midi::Kind::PitchBend, 2, 0}, {midi::TargetKind::Tempo, 0});
    b.controllers["Pad [2]"].bind({midi::Kind::Note, 0, 60}, {midi::TargetKind::ConveyorSlot, 20});
    const QByteArray text = midi::writeBindings(b);
    writeBytes(dir.filePath(QStringLiteral("bindings.midi")), reinterpret_cast<const std::uint8_t*>(text.constData()),
               static_cast<int>(text.size()));
}

void proReplySeeds(const QDir& dir)
{
    const std::vector<std::vector<std::uint8_t>> replies{
        {0x7E, 3, 5, 0, 0x44, 0x01, 9, 1, 40, 0xE7},                    // parameters
        {0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7},                 // serial number
        {0x00, 0x7E, 3, 5, 0, 1, 2, 0x7E, 10, 4, 0, 1, 2, 3, 4, 0xE7},  // noise, cut short, then whole
    };
    int n = 0;
    for (const auto& bytes : replies) {
        writeBytes(dir.filePath(QStringLiteral("reply-%1.bin").arg(++n)), bytes.data(), static_cast<int>(bytes.size()));
    }
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
    const std::array<const char*, 13> names{"show",     "patch",    "color",        "settings", "wire",
                                            "sacn",     "artpoll",  "artpollreply", "showjson", "midi",
                                            "bindings", "proreply", "universes"};
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
    sacnSeeds(QDir(root.filePath(QStringLiteral("sacn"))));
    artPollSeeds(QDir(root.filePath(QStringLiteral("artpoll"))));
    artPollReplySeeds(QDir(root.filePath(QStringLiteral("artpollreply"))));
    showJsonSeeds(QDir(root.filePath(QStringLiteral("showjson"))));
    midiSeeds(QDir(root.filePath(QStringLiteral("midi"))));
    midiBindingsSeeds(QDir(root.filePath(QStringLiteral("bindings"))));
    proReplySeeds(QDir(root.filePath(QStringLiteral("proreply"))));
    universesSeeds(QDir(root.filePath(QStringLiteral("universes"))));
    return failed ? 1 : 0;
}
