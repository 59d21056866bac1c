# Empty compiler generated dependencies file for soundtrace_setup_test.
# This may be replaced when dependencies are built.
