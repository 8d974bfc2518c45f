#include "midi/bindings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace velantra::midi {

namespace {

constexpr const char* Header = "# Velantra MIDI bindings";
constexpr qint64 MaxFileSize = 1 << 20;

// Control characters other than a tab are no part of a line (a line read
// from a file edited elsewhere may end in a carriage return, which goes with
// the whitespace around it).
bool hasControl(const QByteArray& line)
{
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
}

// A name is written as it reads back: without control characters and
// without whitespace at its ends.
bool writable(const std::string& name)
{
    const QByteArray bytes = QByteArray::fromStdString(name);
    return !hasControl(bytes) && bytes.trimmed() == bytes;
}

std::string trimmed(const QByteArray& bytes)
{
    return bytes.trimmed().toStdString();
}

}  // namespace

QByteArray writeBindings(const Bindings& b)
{
    QByteArray out;
    out += Header;
    out += "\ninput = ";
    out += writable(b.input) && !b.input.empty() ? b.input : std::string(Bindings::AllInputs);
    out += "\noutput = ";
    out += writable(b.output) ? b.output : std::string();
    out += "\npick-up = ";
    out += b.pickUp ? "on" : "off";
    out += '\n';
    if (!b.api.empty() && writable(b.api)) {
        out += "api = " + b.api + '\n';
    }
    for (const auto& [controller, set] : b.controllers) {
        if (set.empty() || !writable(controller) || controller.empty()) {
            continue;
        }
        out += "\n[" + controller + "]\n";
        for (const auto& [source, target] : set.bySource()) {
            out += sourceText(source) + " = " + targetText(target) + '\n';
        }
    }
    return out;
}

FileResult parseBindings(const QByteArray& text, Bindings& bindings)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.front().trimmed() != Header) {
        return {false, QCoreApplication::translate("MidiBindingsFile", "Это не файл привязок MIDI")};
    }
    const auto damaged = [](qsizetype line) {
        return FileResult{
            false,
            QCoreApplication::translate("MidiBindingsFile", "Файл привязок MIDI повреждён в строке %1").arg(line + 1)};
    };
    Bindings read;
    std::string* controller = nullptr;
    std::string current;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (hasControl(line)) {
            return damaged(i);
        }
        if (line.startsWith('[')) {
            if (!line.endsWith(']') || line.size() < 3) {
                return damaged(i);
            }
            current = trimmed(line.mid(1, line.size() - 2));
            if (current.empty() || read.controllers.contains(current)) {
                return damaged(i);
            }
            read.controllers[current];
            controller = &current;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) {
            return damaged(i);
        }
        const std::string key = trimmed(line.left(equals));
        const std::string value = trimmed(line.mid(equals + 1));
        if (controller == nullptr) {
            if (key == "input" && !value.empty()) {
                read.input = value;
            } else if (key == "output") {
                read.output = value;
            } else if (key == "api" && (value == "alsa" || value == "jack")) {
                read.api = value;
            } else if (key == "pick-up" && (value == "on" || value == "off")) {
                read.pickUp = value == "on";
            } else {
                return damaged(i);
            }
            continue;
        }
        const auto source = parseSource(key);
        const auto target = parseTarget(value);
        BindingSet& set = read.controllers[*controller];
        if (!source || !target || set.targetOf(*source) || set.sourceOf(*target)) {
            return damaged(i);
        }
        set.bind(*source, *target);
    }
    bindings = std::move(read);
    return {};
}

FileResult readBindingsFile(const QString& path, Bindings& bindings)
{
    if (!QFileInfo::exists(path)) {
        return {};
    }
    const auto named = [&](FileResult r) {
        if (!r.ok) {
            r.message = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), r.message);
        }
        return r;
    };
    if (const qint64 size = QFileInfo(path).size(); isRegularFile(path) && size > MaxFileSize) {
        return named({false, QCoreApplication::translate("MidiBindingsFile",
                                                         "Файл привязок MIDI слишком велик: %1 байт, допустимо до %2")
                                 .arg(size)
                                 .arg(MaxFileSize)});
    }
    QByteArray bytes;
    if (FileResult r = readWholeFile(path, MaxFileSize, bytes); !r.ok) {
        return named(r);
    }
    return named(parseBindings(bytes, bindings));
}

FileResult writeBindingsFile(const QString& path, const Bindings& bindings)
{
    return replaceFile(path, writeBindings(bindings));
}

}  // namespace velantra::midi
