# The fuzzer of the web remote's messages.
