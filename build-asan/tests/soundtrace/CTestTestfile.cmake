# CMake generated Testfile for 
# Source directory: /work/wt/sources/tests/soundtrace
# Build directory: /work/wt/sources/build-asan/tests/soundtrace
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/sources/build-asan/tests/soundtrace/soundtrace_setup_test[1]_include.cmake")
