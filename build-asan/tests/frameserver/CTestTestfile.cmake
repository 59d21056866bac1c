# CMake generated Testfile for 
# Source directory: /work/wt/sources/tests/frameserver
# Build directory: /work/wt/sources/build-asan/tests/frameserver
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/sources/build-asan/tests/frameserver/frameserver_env_test[1]_include.cmake")
subdirs("sources")
