file(REMOVE_RECURSE
  "../frameserver_env_test"
  "../frameserver_env_test.pdb"
  "CMakeFiles/frameserver_env_test.dir/frame_pool_test.cpp.o"
  "CMakeFiles/frameserver_env_test.dir/frame_pool_test.cpp.o.d"
  "CMakeFiles/frameserver_env_test.dir/function_table_test.cpp.o"
  "CMakeFiles/frameserver_env_test.dir/function_table_test.cpp.o.d"
  "CMakeFiles/frameserver_env_test.dir/plugin_loader_test.cpp.o"
  "CMakeFiles/frameserver_env_test.dir/plugin_loader_test.cpp.o.d"
  "frameserver_env_test[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/frameserver_env_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
