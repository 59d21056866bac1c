# Empty dependencies file for soundtrace.
# This may be replaced when dependencies are built.
