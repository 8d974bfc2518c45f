// MIDI events: the system, ports opened, closed or refused.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMidi)
