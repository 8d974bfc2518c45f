#!/bin/sh
# The strip of the package build: symbols, and the .comment and .note
# sections that only the compiler and linker read (as Debian's own builds strip).
exec strip --remove-section=.comment --remove-section=.note "$@"
