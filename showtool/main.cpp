// velantra-show: a show file from the command line.
//
//   velantra-show info FILE            summary of the show
//   velantra-show export FILE          the show as JSON on stdout
//   velantra-show import JSON -o FILE  a show file from the JSON
//   velantra-show diff A B             differences; exit 0 same, 1 different
//
// "-" for a file is standard input (or, after -o, standard output). Any error
// is one line on stderr and a non-zero exit (2 for diff and a bad command line).
#include "showtool/show_diff.h"
#include "showtool/show_info.h"
#include "showtool/show_json.h"
#include "storage/file_result.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

using namespace velantra;
using namespace velantra::showtool;

constexpr qint64 JsonSizeLimit = qint64{64} * 1024 * 1024;
// What standard input may hold when it carries a show (its tail included).
constexpr qint64 StdinShowLimit = JsonSizeLimit;
const QString Stdio = QStringLiteral("-");

constexpr char Usage[] =
    "usage: velantra-show info FILE | export FILE | import JSON -o FILE | diff A B\n"
    "  info FILE          the show's header, scenes, tempo, named channels, pictures and chasers\n"
    "  export FILE        every byte of the show as JSON on standard output\n"
    "  import JSON -o FILE  a show file from the JSON, checked value by value, written atomically\n"
    "  diff A B           what differs; exit 0 when the same, 1 when different, 2 on an error\n"
    "  -h, --help         this text\n"
    "\"-\" stands for standard input, or after -o for standard output.\n";

void write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

int fail(const QString& message, int status = 1)
{
    write(stderr, QStringLiteral("velantra-show: ") + message + QLatin1Char('\n'));
    return status;
}

int usage()
{
    return fail(QStringLiteral("usage: velantra-show info FILE | export FILE | import JSON -o FILE | diff A B"), 2);
}

QString shownName(const QString& path)
{
    return path == Stdio ? QStringLiteral("standard input") : path;
}

// All of standard input, when it holds at most limit bytes.
std::optional<QByteArray> readStdin(qint64 limit, QString& error)
{
    QByteArray bytes;
    char chunk[65536];
    while (bytes.size() <= limit) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
        bytes.append(chunk, static_cast<qsizetype>(got));
        if (got < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(stdin) != 0) {
        error = QStringLiteral("cannot read standard input");
        return std::nullopt;
    }
    if (bytes.size() > limit) {
        error = QStringLiteral("more than %1 bytes").arg(limit);
        return std::nullopt;
    }
    return bytes;
}

// What is wrong with a file to be read before the reader's own reasons
// (which know only the runtime's few texts); empty when nothing is.
QString readProblem(const QString& path, std::optional<qint64> limit = std::nullopt)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        return QStringLiteral("is a directory");
    }
    if (limit && info.isFile() && info.size() > *limit) {
        return QStringLiteral("%1 bytes, more than the %2 it may have").arg(info.size()).arg(*limit);
    }
    return {};
}

// Warnings, when asked for: a file the program opens although it is no
// show of its own writing, or that holds more than a show.
std::optional<ShowImage> open(const QString& path, bool warn = false)
{
    QString error;
    std::optional<ShowImage> image;
    qint64 size = 0;
    if (path == Stdio) {
        if (const std::optional<QByteArray> bytes = readStdin(StdinShowLimit, error)) {
            size = bytes->size();
            image = showImageFromBytes(*bytes, error);
        }
    } else if (error = readProblem(path); error.isEmpty()) {
        image = readShowImage(path, error);
        size = QFileInfo(path).size();
    }
    if (!image) {
        fail(shownName(path) + QStringLiteral(": ") + error);
        return image;
    }
    if (warn && !hasShowHeader(*image)) {
        fail(shownName(path) +
             QStringLiteral(": not the header of a Velantra show (\"%1\"); read as a show all the same")
                 .arg(headerText(*image)));
    }
    if (warn && size > ShowFileSize) {
        fail(shownName(path) +
             QStringLiteral(": %1 bytes; a show is the first %2, the %3 after them are not part of it "
                            "(export and import drop them)")
                 .arg(size)
                 .arg(ShowFileSize)
                 .arg(size - ShowFileSize));
    }
    return image;
}

int info(const QString& path)
{
    const std::optional<ShowImage> image = open(path, true);
    if (!image) {
        return 1;
    }
    write(stdout, showInfo(*image));
    return 0;
}

bool writeStdout(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
               static_cast<std::size_t>(bytes.size()) &&
           std::fflush(stdout) == 0;
}

int exportJson(const QString& path)
{
    const std::optional<ShowImage> image = open(path, true);
    if (!image) {
        return 1;
    }
    return writeStdout(exportShowJson(*image)) ? 0 : fail(QStringLiteral("cannot write to standard output"));
}

int importJson(const QString& jsonPath, const QString& showPath)
{
    QByteArray json;
    QString error;
    if (jsonPath == Stdio) {
        json = readStdin(JsonSizeLimit, error).value_or(QByteArray());
    } else if (error = readProblem(jsonPath, JsonSizeLimit); error.isEmpty()) {
        if (const FileResult read = readWholeFile(jsonPath, JsonSizeLimit, json); !read.ok) {
            error = read.message;
        }
    }
    if (!error.isEmpty()) {
        return fail(shownName(jsonPath) + QStringLiteral(": ") + error);
    }
    const ImportResult result = importShowJson(json);
    if (!result.image) {
        return fail(shownName(jsonPath) + QStringLiteral(": ") + result.error);
    }
    if (showPath == Stdio) {
        const QByteArray bytes = imageBytes(*result.image, 0, ShowFileSize);
        return writeStdout(bytes) ? 0 : fail(QStringLiteral("cannot write to standard output"));
    }
    const QFileInfo target(showPath);
    if (!target.dir().exists()) {
        return fail(showPath + QStringLiteral(": the directory %1 does not exist").arg(target.absolutePath()));
    }
    if (target.isDir()) {
        return fail(showPath + QStringLiteral(": is a directory"));
    }
    if (!writeShowImage(showPath, *result.image, error)) {
        return fail(showPath + QStringLiteral(": ") + error);
    }
    return 0;
}

int diff(const QString& a, const QString& b)
{
    if (a == Stdio && b == Stdio) {
        return fail(QStringLiteral("standard input can be only one of the two shows"), 2);
    }
    const std::optional<ShowImage> before = open(a);
    if (!before) {
        return 2;
    }
    const std::optional<ShowImage> after = open(b);
    if (!after) {
        return 2;
    }
    const QStringList lines = showDiff(*before, *after);
    for (const QString& line : lines) {
        write(stdout, line + QLatin1Char('\n'));
    }
    return lines.isEmpty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption output(QStringLiteral("o"), QString(), QStringLiteral("FILE"));
    parser.addOptions({help, output});
    if (!parser.parse(QCoreApplication::arguments())) {
        fail(parser.errorText());
        return usage();
    }
    if (parser.isSet(help)) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    const bool toFile = parser.isSet(output);
    if (command == QLatin1String("import") && args.size() == 2 && toFile) {
        return importJson(args[1], parser.value(output));
    }
    if (toFile) {
        return usage();
    }
    if (command == QLatin1String("info") && args.size() == 2) {
        return info(args[1]);
    }
    if (command == QLatin1String("export") && args.size() == 2) {
        return exportJson(args[1]);
    }
    if (command == QLatin1String("diff") && args.size() == 3) {
        return diff(args[1], args[2]);
    }
    return usage();
}
