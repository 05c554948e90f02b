# The document text is checked directly (its class is private to the library, so its source is
# built into the fuzzer) and through DCFWriter on a real file.
zezuzudod_add_fuzzer(dcf_roundtrip SOURCES dcf_roundtrip.cpp
    ${PROJECT_SOURCE_DIR}/src/dcf/dcfdocument.cpp ${PROJECT_SOURCE_DIR}/src/dcf/dcfname.cpp
    ${PROJECT_SOURCE_DIR}/src/dcf/dcfnameindex.cpp)
target_include_directories(dcf_roundtrip PRIVATE ${PROJECT_SOURCE_DIR}/src/dcf)
