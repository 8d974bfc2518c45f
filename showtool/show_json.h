// A show as JSON and back, byte for byte.
//
// Written with Qt's QJsonDocument: no new dependency, QtCore already links the
// storage library.
//
// The document holds every byte of the file: what an operator reads and edits
// (header text, named parameter cells, rates, names, selection, pictures,
// scenes up to the last one) and, only where the readable form cannot say it,
// the raw bytes ("header_bytes", "name_bytes", "spare", "extra_scenes"), so
// any file that opens as a show exports and imports back to the same bytes.
// Each byte is said once: the named parameter cells by their names under
// "cells", and "parameter_bytes" holds null in their places.
#pragma once

#include "showtool/show_image.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velantra::showtool {

inline constexpr int JsonVersion = 1;
inline constexpr const char* JsonFormat = "velantra-show";

// The show as an indented JSON document.
QByteArray exportShowJson(const ShowImage& image);

struct ImportResult {
    std::optional<ShowImage> image;  // set when the document was good
    QString error;                   // else the first bad value: "<json path>: <what>"
};

// Checks every key, length and value of the document, in the order
// exportShowJson writes them, and builds the show from it.
ImportResult importShowJson(const QByteArray& json);

}  // namespace velantra::showtool
