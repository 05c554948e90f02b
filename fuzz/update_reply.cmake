# The version numbers are private to the library, so their source is built into the fuzzer.
zezuzudod_add_fuzzer(update_reply SOURCES update_reply.cpp
    ${PROJECT_SOURCE_DIR}/src/update/versionnumber.cpp)
target_include_directories(update_reply PRIVATE ${PROJECT_SOURCE_DIR}/src/update)
