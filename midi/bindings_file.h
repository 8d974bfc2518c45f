// The MIDI bindings file, Vela43.midi in the data directory: the ports
// chosen, pick-up and each controller's bindings, as readable text:
//
//   # Velantra MIDI bindings
//   input = *
//   output = nanoKONTROL2 MIDI 1
//   pick-up = on
//
//   [nanoKONTROL2 MIDI 1]
//   cc 1 0 = fader 1
//   note 1 41 = play
//
// A file that is not one of these, or has a line that is not, is refused as
// a whole with a message naming the line; nothing is taken from it.
#pragma once

#include "midi/midi_binding.h"
#include "storage/file_result.h"

#include <QByteArray>
#include <QString>

namespace velantra::midi {

// Any thread. The text of bindings.
QByteArray writeBindings(const Bindings& bindings);
// Any thread. bindings from text; on failure bindings is unchanged and the
// result says which line is wrong.
FileResult parseBindings(const QByteArray& text, Bindings& bindings);

// GUI thread. The file at path: read (a missing file is ok and leaves
// bindings as they are), or written atomically.
FileResult readBindingsFile(const QString& path, Bindings& bindings);
FileResult writeBindingsFile(const QString& path, const Bindings& bindings);

}  // namespace velantra::midi
