// Fuzzes reading the settings file. The input is the file. The reader has no
// failure to report (a missing file or key reads as empty), so the checks are
// on what it promises about the values:
// - a missing file (or a directory) reads as all empty;
// - the first of a repeated key counts: the same keys given again after the
//   input change no value the input gave;
// - what was read survives a write and a read, except that a value with a
//   line break is written empty and blanks at either end of a value are lost.
#include "storage/settings_file.h"
#include "tests/fuzz/scratch_file.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace velantra {
namespace {

struct State {
    State()
        : file("settings")
        , rewritten("settings-rewritten")
    {}

    fuzz::ScratchFile file;
    fuzz::ScratchFile rewritten;
};

State& state()
{
    static State s;
    return s;
}

// Every key of the file once more, each with a value of its own.
QByteArray repeatedKeys()
{
    QByteArray text = "\n[Konveir]\n";
    for (int i = 1; i <= KonveirEntryCount; ++i) {
        text += "File" + QByteArray::number(i).rightJustified(2, '0') + "=Repeated" + QByteArray::number(i) + "\n";
    }
    return text + "[LastFile]\nPath=RepeatedPath\nCoder=RepeatedCoder\n";
}

// A value given by the first read keeps it; an empty one may take the repeat.
void checkFirstCounts(const QString& first, const QString& withRepeat)
{
    if (!first.isEmpty()) {
        fuzz::check(withRepeat == first, "a repeated key replaced the value of the first");
    }
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

// What a value becomes after a write and a read.
QString kept(const QString& value)
{
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        return {};
    }
    qsizetype from = 0;
    qsizetype to = value.size();
    while (from < to && isBlank(value[from])) {
        ++from;
    }
    while (to > from && isBlank(value[to - 1])) {
        --to;
    }
    return value.mid(from, to - from);
}

void checkUnreadablePaths()
{
    for (const QString& path : fuzz::unreadablePaths(state().file)) {
        fuzz::check(readSettings(path) == Settings{}, "an unreadable settings path did not read as empty");
    }
}

}  // namespace
}  // namespace velantra

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    velantra::checkUnreadablePaths();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velantra;
    State& s = state();
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    s.file.write(data, size);
    const Settings read = readSettings(s.file.path());

    const QByteArray withRepeat = input + repeatedKeys();
    s.file.write(reinterpret_cast<const std::uint8_t*>(withRepeat.constData()),
                 static_cast<std::size_t>(withRepeat.size()));
    const Settings repeated = readSettings(s.file.path());
    for (std::size_t i = 0; i < read.konveir.size(); ++i) {
        checkFirstCounts(read.konveir[i], repeated.konveir[i]);
    }
    checkFirstCounts(read.path, repeated.path);
    checkFirstCounts(read.coder, repeated.coder);

    fuzz::check(writeSettings(s.rewritten.path(), read).ok, "writing the settings read failed");
    const Settings again = readSettings(s.rewritten.path());
    for (std::size_t i = 0; i < read.konveir.size(); ++i) {
        fuzz::check(again.konveir[i] == kept(read.konveir[i]), "a conveyor entry changed in a write and a read");
    }
    fuzz::check(again.path == kept(read.path), "the last show changed in a write and a read");
    fuzz::check(again.coder == kept(read.coder), "the patch file changed in a write and a read");
    return 0;
}
