// velantra-show: a show file from the command line.
//
//   velantra-show info FILE            summary of the show
//   velantra-show export FILE          the show as JSON on stdout
//   velantra-show import JSON -o FILE  a show file from the JSON
//   velantra-show diff A B             differences; exit 0 same, 1 different
//
// Any error is one line on stderr and a non-zero exit (2 for diff).
#include "showtool/show_diff.h"
#include "showtool/show_info.h"
#include "showtool/show_json.h"
#include "storage/file_result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

using namespace velantra;
using namespace velantra::showtool;

constexpr qint64 JsonSizeLimit = qint64{64} * 1024 * 1024;

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

std::optional<ShowImage> open(const QString& path)
{
    QString error;
    std::optional<ShowImage> image = readShowImage(path, error);
    if (!image) {
        fail(path + QStringLiteral(": ") + error);
    }
    return image;
}

int info(const QString& path)
{
    const std::optional<ShowImage> image = open(path);
    if (!image) {
        return 1;
    }
    write(stdout, showInfo(*image));
    return 0;
}

int exportJson(const QString& path)
{
    const std::optional<ShowImage> image = open(path);
    if (!image) {
        return 1;
    }
    const QByteArray json = exportShowJson(*image);
    return std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout) ==
                   static_cast<std::size_t>(json.size())
               ? 0
               : fail(QStringLiteral("cannot write to stdout"));
}

int importJson(const QString& jsonPath, const QString& showPath)
{
    QByteArray json;
    if (const FileResult read = readWholeFile(jsonPath, JsonSizeLimit, json); !read.ok) {
        return fail(jsonPath + QStringLiteral(": ") + read.message);
    }
    const ImportResult result = importShowJson(json);
    if (!result.image) {
        return fail(jsonPath + QStringLiteral(": ") + result.error);
    }
    QString error;
    if (!writeShowImage(showPath, *result.image, error)) {
        return fail(showPath + QStringLiteral(": ") + error);
    }
    return 0;
}

int diff(const QString& a, const QString& b)
{
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
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("info") && args.size() == 2) {
        return info(args[1]);
    }
    if (command == QLatin1String("export") && args.size() == 2) {
        return exportJson(args[1]);
    }
    if (command == QLatin1String("import") && args.size() == 4 && args[2] == QLatin1String("-o")) {
        return importJson(args[1], args[3]);
    }
    if (command == QLatin1String("diff") && args.size() == 3) {
        return diff(args[1], args[2]);
    }
    return usage();
}
