# Effect translation. glslang and SPIRV-Cross run only in the worker process
# quellor_fxworker (they crash on some malformed input); the engine talks to it through
# engine/fx/FxWorker.cpp and needs neither library.
find_package(Threads REQUIRED)
add_library(quellor_fxcompile STATIC
  engine/fx/compile/FxCompile.cpp
  engine/fx/compile/FxPrelude.cpp)
target_compile_definitions(quellor_fxcompile PRIVATE ENABLE_HLSL)
# Debian ships glslang as static libraries and its pkg-config file misses several.
target_link_libraries(quellor_fxcompile PUBLIC quellor_core
  glslang SPIRV MachineIndependent OSDependent HLSL OGLCompiler GenericCodeGen
  glslang-default-resource-limits SPIRV-Tools-opt SPIRV-Tools Threads::Threads
  spirv-cross-c-shared)

add_executable(quellor_fxworker engine/fx/compile/FxWorkerMain.cpp)
target_link_libraries(quellor_fxworker PRIVATE quellor_fxcompile)
set_target_properties(quellor_fxworker PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The engine finds the worker beside the program, or here in the build folder.
target_compile_definitions(quellor_core PRIVATE QUELLOR_FXWORKER_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(quellor quellor_fxworker)
