# cmake -P script behind the dcfconfig_translations test: runs lupdate over the tool's sources into
# copies of its catalogues. A copy that changes, or holds an unfinished entry, means a text of the
# tool is not translated (run the update_translations target, then translate).
file(REMOVE_RECURSE ${WORK_DIR})
foreach(language de en)
    set(catalogue ${SOURCE_DIR}/translations/dcfconfig_${language}.ts)
    set(copy ${WORK_DIR}/dcfconfig_${language}.ts)
    file(COPY ${catalogue} DESTINATION ${WORK_DIR})
    set(options -locations none -no-obsolete)
    if(language STREQUAL "en")
        list(APPEND options -pluralonly) # English needs only its plural forms
    endif()
    execute_process(COMMAND ${LUPDATE} ${options} ${SOURCE_DIR} -ts ${copy}
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${catalogue}")
    endif()
    file(READ ${catalogue} before)
    file(READ ${copy} after)
    if(NOT before STREQUAL after)
        message(FATAL_ERROR "${catalogue} is out of date: lupdate changes it")
    endif()
    if(after MATCHES "type=\"unfinished\"")
        message(FATAL_ERROR "${catalogue} has unfinished entries")
    endif()
endforeach()
