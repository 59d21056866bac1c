# Empty dependencies file for frameserve_core.
# This may be replaced when dependencies are built.
