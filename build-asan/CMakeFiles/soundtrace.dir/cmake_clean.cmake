file(REMOVE_RECURSE
  "CMakeFiles/soundtrace.dir/host/plugin_entry.cpp.o"
  "CMakeFiles/soundtrace.dir/host/plugin_entry.cpp.o.d"
  "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_canvas.cpp.o"
  "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_canvas.cpp.o.d"
  "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_setup.cpp.o"
  "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_setup.cpp.o.d"
  "plugins/soundtrace.pdb"
  "plugins/soundtrace.so"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/soundtrace.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
