# Empty dependencies file for no_entry_library.
# This may be replaced when dependencies are built.
