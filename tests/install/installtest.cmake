# cmake -P script behind the "install" test.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN}\nfailed with ${result}:\n${out}")
    endif()
    message("${out}")
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(expected include/ZezuzuDOD/zezuzudod.h include/ZezuzuDOD/varniobaseapplication.h
                 include/ZezuzuDOD/zezuzudod_export.h include/ZezuzuDOD/quelmappstyle.h
                 include/ZezuzuDOD/helpviewer.h lib/cmake/ZezuzuDOD/ZezuzuDODHelp.cmake)
    if(NOT EXISTS ${prefix}/${expected})
        message(FATAL_ERROR "not installed: ${expected}")
    endif()
endforeach()

# Every installed header must compile on its own, first in its translation unit: one that
# includes a header which is not installed, or leans on an include of another, fails here.
file(GLOB headers RELATIVE ${prefix}/include ${prefix}/include/ZezuzuDOD/*.h)
set(sources)
foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME_WE)
    file(WRITE ${WORK_DIR}/headers/${name}.cpp "#include <${header}>\n")
    list(APPEND sources ${WORK_DIR}/headers/${name}.cpp)
endforeach()
list(JOIN sources "\;" sources)
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release "-DHEADER_SOURCES=${sources}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${RUN_TEST} ${WORK_DIR}/build/consumer)
