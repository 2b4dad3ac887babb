# Run by cpack after it has made each Windows package. cpack's archive holds each file's access
# and change times, and its entries come in the order the file system lists the folders: the
# archive is written again from the same staged files (dated by windows-preparar.cmake) with
# Info-ZIP, in name order, without those times or the owner (-X), with times in UTC. Then
# SHA256SUMS, beside the packages, lists the installer and the archive as they will be there.
if(CPACK_GENERATOR STREQUAL "ZIP")
    file(GLOB_RECURSE entradas LIST_DIRECTORIES false RELATIVE "${CPACK_TOPLEVEL_DIRECTORY}"
         "${CPACK_TEMPORARY_DIRECTORY}/*")
    list(SORT entradas)
    list(JOIN entradas "\n" lista)
    file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/entradas.txt" "${lista}\n")
    file(REMOVE ${CPACK_PACKAGE_FILES})
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC0
                            zip -q -X -D ${CPACK_PACKAGE_FILES} -@
                    INPUT_FILE "${CPACK_TOPLEVEL_DIRECTORY}/entradas.txt"
                    WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
endif()

# The package just made is still in the staging folder; the other one is beside it already, if
# it has been made.
set(sumas "")
foreach(extension exe zip)
    set(nombre "${CPACK_PACKAGE_FILE_NAME}.${extension}")
    set(paquete "${CPACK_PACKAGE_DIRECTORY}/${nombre}")
    foreach(hecho IN LISTS CPACK_PACKAGE_FILES)
        get_filename_component(n "${hecho}" NAME)
        if(n STREQUAL nombre)
            set(paquete "${hecho}")
        endif()
    endforeach()
    if(EXISTS "${paquete}")
        file(SHA256 "${paquete}" suma)
        string(APPEND sumas "${suma}  ${nombre}\n")
    endif()
endforeach()
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS" "${sumas}")
