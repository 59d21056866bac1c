# Empty dependencies file for host_interface_test.
# This may be replaced when dependencies are built.
