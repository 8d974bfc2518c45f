#include "showtool/show_image.h"

#include "storage/show_file.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <memory>

namespace velantra::showtool {

std::string_view cellName(int address)
{
    for (const NamedCell& cell : NamedCells) {
        if (cell.address == address) {
            return cell.name;
        }
    }
    return {};
}

std::optional<ShowImage> readShowImage(const QString& path, QString& error)
{
    const auto memory = std::make_unique<ShowMemory>();
    const FileResult result = readShowFile(path, *memory);
    if (!result.ok) {
        error = result.message;
        return std::nullopt;
    }
    ShowImage image(ShowFileSize);
    memory->copyOut(0, ShowFileSize, image.data());
    return image;
}

std::optional<ShowImage> showImageFromBytes(const QByteArray& bytes, QString& error)
{
    if (bytes.size() < ShowFileSize) {
        error = ioFailure(IoError::ReadBeyondEndOfFile).message;
        return std::nullopt;
    }
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return ShowImage(first, first + ShowFileSize);
}

bool writeShowImage(const QString& path, const ShowImage& image, QString& error)
{
    const auto memory = std::make_unique<ShowMemory>();
    memory->copyIn(0, ShowFileSize, image.data());
    const FileResult result = writeShowFile(path, *memory);
    if (!result.ok) {
        error = result.message;
    }
    return result.ok;
}

QByteArray imageBytes(const ShowImage& image, int first, int count)
{
    return {reinterpret_cast<const char*>(image.data()) + first, count};
}

QString decodeText(const QByteArray& bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    QStringDecoder decoder("windows-1251");
    return decoder.decode(zero < 0 ? bytes : bytes.left(zero));
}

QString headerText(const ShowImage& image)
{
    return decodeText(imageBytes(image, 0, ShowHeaderTextLength));
}

QString channelName(const ShowImage& image, int channel)
{
    return decodeText(imageBytes(image, NameBase + NameLength * channel, NameLength));
}

std::optional<QByteArray> encodeText(const QString& text, int size)
{
    if (text.contains(QChar(0))) {
        return std::nullopt;
    }
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError() || bytes.size() > size) {
        return std::nullopt;
    }
    bytes.append(QByteArray(size - bytes.size(), '\0'));
    return bytes;
}

QByteArray standardHeader()
{
    QByteArray bytes(ShowHeaderText.data(), static_cast<qsizetype>(ShowHeaderText.size()));
    bytes.append(QByteArray(HeaderSize - ShowHeaderTextLength, '\0'));
    return bytes;
}

bool hasShowHeader(const ShowImage& image)
{
    return imageBytes(image, 0, HeaderSize) == standardHeader();
}

}  // namespace velantra::showtool
