# Tests of the web remote.
