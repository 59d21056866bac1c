file(REMOVE_RECURSE
  "CMakeFiles/frameserve_core.dir/env/function_table.cpp.o"
  "CMakeFiles/frameserve_core.dir/env/function_table.cpp.o.d"
  "CMakeFiles/frameserve_core.dir/env/script_environment.cpp.o"
  "CMakeFiles/frameserve_core.dir/env/script_environment.cpp.o.d"
  "CMakeFiles/frameserve_core.dir/frames/frame_pool.cpp.o"
  "CMakeFiles/frameserve_core.dir/frames/frame_pool.cpp.o.d"
  "CMakeFiles/frameserve_core.dir/loader/plugin_loader.cpp.o"
  "CMakeFiles/frameserve_core.dir/loader/plugin_loader.cpp.o.d"
  "libframeserve_core.a"
  "libframeserve_core.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/frameserve_core.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
