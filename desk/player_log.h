// The logging category of playing: play and stop, the conveyor's shows.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlayer)
