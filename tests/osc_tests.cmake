# Tests of OSC.
