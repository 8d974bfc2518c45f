// velantra_screenshots DIR: opens the main window on a fake interface with a
// small sample show, saves a picture of every page of the main page control
// and one of the About window into DIR, prints the paths and exits.
// tools/screenshots runs it offscreen in a throw-away home directory.
#include "about/about_form.h"
#include "app/base.h"
#include "channels/channel_color_tab.h"
#include "channels/channel_names.h"
#include "channels/gobo_images.h"
#include "effects/hand_scan_form.h"
#include "effects/xy_figures.h"
#include "engine/show_memory.h"
#include "engine/version.h"
#include "i18n/language.h"
#include "network/network_outputs.h"
#include "network/network_page.h"
#include "programming/channel_setup_group.h"
#include "programming/fader_glyphs.h"
#include "programming/scene_group.h"
#include "programming/static_form.h"
#include "shell/dialogs.h"
#include "storage/data_dir.h"
#include "tests/testing/fake_d2xx.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QString>
#include <QTabWidget>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Latin spelling of a tab's title for a file name: "График Канала" -> "grafik-kanala".
QString fileNamePart(const QString& title)
{
    static const char* const cyrillic[] = {"a",  "b",  "v",  "g",    "d", "e", "zh", "z", "i",  "y", "k",
                                           "l",  "m",  "n",  "o",    "p", "r", "s",  "t", "u",  "f", "kh",
                                           "ts", "ch", "sh", "shch", "",  "y", "",   "e", "yu", "ya"};
    QString out;
    for (const QChar c : title.toLower()) {
        const char16_t u = c.unicode();
        if (u >= u'а' && u <= u'я') {
            out += QString::fromLatin1(cyrillic[u - u'а']);
        } else if (u == u'ё') {
            out += QStringLiteral("yo");
        } else if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')) {
            out += c;
        } else if (u != u'&' && !out.isEmpty() && !out.endsWith(u'-')) {
            out += u'-';
        }
    }
    while (out.endsWith(u'-')) {
        out.chop(1);
    }
    return out;
}

// A few scenes with levels, so that the pages have something to show; the
// rig's names in the pictures' language.
void loadSampleShow(velantra::Engine& engine, velantra::Language language)
{
    using namespace velantra;
    // Scene 0: a warm wash fading across channels 1..12.
    for (int c = 1; c <= 12; ++c) {
        engine.DataWrite(0, static_cast<std::uint8_t>(c), 255 - (c - 1) * 18);
    }
    // Scene 1: every other channel of 1..24 at full.
    for (int c = 1; c <= 24; ++c) {
        engine.DataWrite(1, static_cast<std::uint8_t>(c), c % 2 == 1 ? 255 : 0);
    }
    // Scene 2: back light at half, channels 13..24.
    for (int c = 13; c <= 24; ++c) {
        engine.DataWrite(2, static_cast<std::uint8_t>(c), 128);
    }
    // Scene 3: front light at full, a moving head at (100, 180) on channels 33 and 34.
    for (int c = 1; c <= 8; ++c) {
        engine.DataWrite(3, static_cast<std::uint8_t>(c), 255);
    }
    engine.DataWrite(3, 33, 100);
    engine.DataWrite(3, 34, 180);
    engine.memory.set(CellLastScene, 4);
    engine.memory.set(CellScene, 0);
    engine.memory.set(CellTempo, 60);

    // Names of a small rig, slower rates on the wash, two channels selected.
    const char* const russian[] = {"Фронт лев", "Фронт прав", "Контра 1", "Контра 2", "Заливка R", "Заливка G",
                                   "Заливка B", "Стробоскоп", "Дым",      "Pan",      "Tilt",      "Диммер головы"};
    const char* const english[] = {"Front L", "Front R", "Back 1", "Back 2", "Wash R", "Wash G",
                                   "Wash B",  "Strobe",  "Smoke",  "Pan",    "Tilt",   "Head dimmer"};
    for (int c = 1; c <= 12; ++c) {
        const char* const name = language == Language::Russian ? russian[c - 1] : english[c - 1];
        SaveEdit(engine.memory, c, QString::fromUtf8(name));
        engine.memory.set(RateBase + c, c <= 4 ? 8 : (c <= 7 ? 50 : 255));
    }
    blankConversion(engine.memory);
    engine.memory.set(SelectBase + 10, 1);
    engine.memory.set(SelectBase + 11, 1);

    // Channel 9 (the smoke) ramps up over the first sixteen scenes and back down.
    for (int s = 0; s < 32; ++s) {
        engine.DataWrite(static_cast<std::uint8_t>(s), 9, static_cast<std::uint8_t>(s < 16 ? s * 16 : (31 - s) * 16));
    }
}

// Pictures and colours of the small rig: the fronts and backs in one border
// colour each, the colour mix in its colours, the moving head in another.
void colourSampleRig(velantra::ChannelTables& t)
{
    struct Channel {
        int channel, gobo, red, green, blue;
    };
    const Channel rig[] = {{1, 0, 255, 200, 120},  {2, 0, 255, 200, 120},  {3, 0, 120, 160, 255},
                           {4, 0, 120, 160, 255},  {5, 14, 220, 60, 60},   {6, 17, 60, 200, 60},
                           {7, 20, 60, 90, 230},   {8, 23, 250, 250, 250}, {9, 45, 160, 160, 160},
                           {10, 3, 200, 120, 255}, {11, 3, 200, 120, 255}, {12, 0, 200, 120, 255}};
    for (const Channel& c : rig) {
        const auto i = static_cast<std::size_t>(c.channel);
        t.gobo[i] = static_cast<std::uint8_t>(c.gobo);
        t.borderRed[i] = static_cast<std::uint8_t>(c.red);
        t.borderGreen[i] = static_cast<std::uint8_t>(c.green);
        t.borderBlue[i] = static_cast<std::uint8_t>(c.blue);
    }
    t.nameRed[8] = 255;  // the strobe's name stands out
    t.nameGreen[8] = 210;
    t.nameBlue[8] = 210;
    for (std::size_t c = 13; c < 256; ++c) {
        t.gobo[c] = 255;
    }
}

// Every gobo picture at its size and four times enlarged, ten to a row.
QPixmap goboSheet()
{
    constexpr int Cell = 80;
    const int rows = (velantra::ImageListGobo::Count + 9) / 10;
    QPixmap sheet(10 * Cell, rows * Cell);
    sheet.fill(QColor(230, 238, 245));
    QPainter p(&sheet);
    for (int code = 0; code < velantra::ImageListGobo::Count; ++code) {
        const QPoint at((code % 10) * Cell, (code / 10) * Cell);
        const QPixmap& picture = velantra::ImageListGobo::picture(code);
        p.drawPixmap(at + QPoint(4, 4), picture);
        p.drawPixmap(QRect(at + QPoint(24, 4), QSize(64, 64)).adjusted(0, 0, -12, -12), picture);
        p.drawText(QRect(at + QPoint(2, 22), QSize(22, 16)), Qt::AlignLeft, QString::number(code));
    }
    return sheet;
}

bool save(const QPixmap& picture, const QString& path)
{
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "velantra_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantra %1").arg(QLatin1String(velantra::ProgramVersion)));
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--lang") == 0)) {
        std::fprintf(stderr, "usage: velantra_screenshots DIR [--lang ru|en]\n");
        return 2;
    }
    // The language as the program chooses it: --lang, else the system's.
    const velantra::Language language =
        velantra::chooseLanguage(QCoreApplication::arguments(), QString(), QLocale::system());
    velantra::installTranslations(app, language);
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "velantra_screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    // A controller's bindings for the page "MIDI" (the controller itself is not plugged in).
    if (velantra::ensureDataDirectory()) {
        QFile midi(velantra::midiBindingsFile());
        if (midi.open(QIODevice::WriteOnly)) {
            midi.write("# Velantra MIDI bindings\ninput = nanoKONTROL2:nanoKONTROL2 MIDI 1\n"
                       "output = nanoKONTROL2:nanoKONTROL2 MIDI 1\npick-up = on\n\n"
                       "[nanoKONTROL2:nanoKONTROL2 MIDI 1]\ncc 1 0 = fader 1\ncc 1 1 = fader 2\ncc 1 2 = fader 3\n"
                       "cc 1 16 = level-all\ncc 1 17 = tempo\nnote 1 41 = play\nnote 1 42 = stop\n"
                       "note 1 43 = blackout\nnote 1 32 = picture 1\nnote 1 33 = picture 2\n");
        }
    }
    auto device = std::make_unique<velantra::FakeD2xx>();
    device->attach();
    velantra::TBaseForm form(std::move(device));
    form.resize(898, 651);
    form.show();
    QApplication::processEvents();

    loadSampleShow(form.engine(), language);
    colourSampleRig(form.channelTables);
    form.ReturnPageControlAll();
    // Let the output fade in and the level display show it.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1500) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    // A circle on the moving head at channels 33 and 34 for the XY editor.
    form.engine().shared.xyChannel = 32;
    velantra::madeCucle(form.engine(), velantra::FigureRange{1, 16, 200, 7});
    form.engine().memory.set(velantra::CellLastScene, 15);
    form.engine().shared.xyChannel = 0;
    if (auto* bar = form.findChild<QScrollBar*>(QStringLiteral("ScrollBarEditXYCh1"))) {
        bar->setValue(32);
    }

    // The network page at work: sACN and Art-Net to this computer alone, and
    // a second universe carrying the first 48 channels.
    {
        velantra::SacnSettings sacn = form.networkOutputs().sacnSettings();
        sacn.enabled = QStringLiteral("1");
        sacn.destination = QStringLiteral("127.0.0.1");
        form.networkOutputs().applySacn(sacn);
        velantra::ArtNetSettings artnet = form.networkOutputs().artNetSettings();
        artnet.enabled = QStringLiteral("1");
        artnet.destination = QStringLiteral("127.0.0.1");
        form.networkOutputs().applyArtNet(artnet);
        for (int slot = 1; slot <= 48; ++slot) {
            form.engine().furtherPatch.setSource(0, slot, static_cast<std::uint8_t>(slot));
        }
        form.networkPage()->showSettings();
        QElapsedTimer sending;
        sending.start();
        while (sending.elapsed() < 1200) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        form.networkOutputs().refresh();
        form.networkPage()->showState();
    }

    // The graph shows the smoke's ramp.
    if (auto* bar = form.findChild<QScrollBar*>(QStringLiteral("ScrollBarChanellGrafik"))) {
        bar->setValue(8);
    }

    bool ok = true;
    QTabWidget* pages = form.pageControlInput();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        QString name = fileNamePart(pages->tabText(i));
        if (name.isEmpty()) {
            name = QString::number(i);
        }
        ok = save(form.grab(), dir.filePath(QStringLiteral("main-%1-%2.png").arg(i, 2, 10, QChar(u'0')).arg(name))) &&
             ok;
    }

    // The fader page's picture buttons, one image each, for the manual's tables.
    {
        using velantra::FaderGlyph;
        const std::pair<FaderGlyph, const char*> glyphs[] = {
            {FaderGlyph::SceneZero, "scene-zero"},     {FaderGlyph::Level0, "level-0"},
            {FaderGlyph::Level127, "level-127"},       {FaderGlyph::Level255, "level-255"},
            {FaderGlyph::SelectNone, "select-none"},   {FaderGlyph::SelectAll, "select-all"},
            {FaderGlyph::SelectClear, "select-clear"}, {FaderGlyph::Invert, "invert"},
        };
        for (const auto& [kind, name] : glyphs) {
            ok = save(velantra::faderGlyph(kind).pixmap(velantra::FaderGlyphSize),
                      dir.filePath(QStringLiteral("glyph-%1.png").arg(QLatin1String(name)))) &&
                 ok;
        }
    }

    // The picture check boxes, then the picture editor drawing on the faders.
    pages->setCurrentIndex(velantra::TBaseForm::PageFaders);
    form.channelSetupGroup()->tabs()->setCurrentIndex(2);
    form.ChaserItemClick();
    QApplication::processEvents();
    ok = save(form.grab(), dir.filePath(QStringLiteral("main-pictures.png"))) && ok;
    ok = save(form.staticForm()->grab(), dir.filePath(QStringLiteral("static-pictures.png"))) && ok;
    form.closePictureEditor();

    // The channel colour tab, with the strobe picked for its name colour.
    form.sceneGroup()->tabs()->setCurrentIndex(1);
    form.channelColorTab()->UpdateScrollRGBtxt(8);
    QApplication::processEvents();
    ok = save(form.grab(), dir.filePath(QStringLiteral("main-channel-colour.png"))) && ok;
    form.sceneGroup()->tabs()->setCurrentIndex(0);
    ok = save(goboSheet(), dir.filePath(QStringLiteral("gobo-pictures.png"))) && ok;

    form.HandScanItemClick();
    QApplication::processEvents();
    ok = save(form.handScanForm()->grab(), dir.filePath(QStringLiteral("hand-scan.png"))) && ok;
    form.handScanForm()->hide();

    {
        velantra::TAboutForm about(&form);
        about.show();
        QApplication::processEvents();
        ok = save(about.grab(), dir.filePath(QStringLiteral("about.png"))) && ok;
        about.close();
    }

    // The recovery list, with the sample show kept as a copy.
    form.core().keepRecoveryCopy();
    velantra::setDialogAnswerer([&ok, &dir](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        ok = save(dialog.grab(), dir.filePath(QStringLiteral("recover-show.png"))) && ok;
        return int(QDialog::Rejected);
    });
    form.findChild<QAction*>(QStringLiteral("RecoverShowItem"))->trigger();

    // Closing asks about saving the show: every question is answered "no".
    velantra::setDialogAnswerer([](QDialog&) { return 0; });
    form.close();
    QApplication::processEvents();
    return ok ? 0 : 1;
}
