# CMake generated Testfile for 
# Source directory: /work/wt/sources
# Build directory: /work/wt/sources/build-asan
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("soundtrace")
subdirs("cacheaudio")
subdirs("frameserver")
subdirs("tests")
