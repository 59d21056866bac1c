# CMake generated Testfile for 
# Source directory: /work/wt/sources/tests
# Build directory: /work/wt/sources/build-asan/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/sources/build-asan/tests/host_interface_test[1]_include.cmake")
add_test([=[plugin_exports_only_entry]=] "/work/wt/sources/tests/host/check_exports.sh" "/work/wt/sources/build-asan/plugins/soundtrace.so")
set_tests_properties([=[plugin_exports_only_entry]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/wt/sources/tests/CMakeLists.txt;21;add_test;/work/wt/sources/tests/CMakeLists.txt;0;")
subdirs("soundtrace")
subdirs("frameserver")
