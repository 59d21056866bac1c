# CMake generated Testfile for 
# Source directory: /work/wt/sources/tests/frameserver/sources
# Build directory: /work/wt/sources/build-asan/tests/frameserver/sources
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/sources/build-asan/tests/frameserver/sources/frameserver_sources_test[1]_include.cmake")
