# Empty dependencies file for frameserver_env_test.
# This may be replaced when dependencies are built.
