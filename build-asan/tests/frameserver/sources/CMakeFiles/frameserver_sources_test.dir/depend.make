# Empty dependencies file for frameserver_sources_test.
# This may be replaced when dependencies are built.
