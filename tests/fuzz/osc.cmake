# The fuzzer of OSC messages.
