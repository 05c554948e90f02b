# The update server runs in the benchmark's own process, from the example server's sources.
set(update_server_dir ${PROJECT_SOURCE_DIR}/examples/updateserver)
zezuzudod_add_benchmark(update_latency SOURCES update_latency.cpp
    ${update_server_dir}/updateserver.cpp ${update_server_dir}/updateserver.h)
target_include_directories(update_latency PRIVATE ${update_server_dir})
target_compile_definitions(update_latency PRIVATE
    MAKE_CERTS="${update_server_dir}/make-certs.sh")
