# Two builds of one commit, in any folders, give the same packages. The commit's
# time stands for the build time wherever a tool writes one (the PE header that the linker and
# strip write, rcc's resource times, the archive's file times): SOURCE_DATE_EPOCH if it is set,
# else the commit's time, else (sources without git) the date of the changelog's last entry.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(fecha $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE fecha OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT fecha)
        file(STRINGS resources/doc/changelog firma REGEX "^ -- " LIMIT_COUNT 1 ENCODING UTF-8)
        string(REGEX REPLACE ".*>  " "" firma "${firma}")
        execute_process(COMMAND date -u -d "${firma}" +%s OUTPUT_VARIABLE fecha
                        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    endif()
endif()
