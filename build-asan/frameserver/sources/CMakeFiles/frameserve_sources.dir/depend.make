# Empty dependencies file for frameserve_sources.
# This may be replaced when dependencies are built.
