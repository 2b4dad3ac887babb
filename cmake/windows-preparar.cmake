# Run by cpack on the staged files of each Windows package, before it packs them, so that two
# builds of one commit give the same bytes. The archive keeps each file's time: every staged
# file gets the release's date (the installer keeps none, see windows.cmake). The uninstaller
# removes the files and folders that the installer lists: those lists go in name order, not in
# the order the file system happens to list the folders.
file(GLOB_RECURSE todo LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d @${CPACK_QUORVEL_FECHA} "${CPACK_TEMPORARY_DIRECTORY}" ${todo}
                COMMAND_ERROR_IS_FATAL ANY)

if(CPACK_GENERATOR STREQUAL "NSIS")
    # cpack keeps these two if they are set already.
    file(GLOB_RECURSE archivos LIST_DIRECTORIES false RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
         "${CPACK_TEMPORARY_DIRECTORY}/*")
    list(SORT archivos)
    set(CPACK_NSIS_DELETE_FILES "")
    foreach(archivo IN LISTS archivos)
        string(REPLACE "/" "\\" archivo "${archivo}")
        string(APPEND CPACK_NSIS_DELETE_FILES "  Delete \"$INSTDIR\\${archivo}\"\n")
    endforeach()
    # A folder after the folders inside it.
    file(GLOB_RECURSE carpetas LIST_DIRECTORIES true RELATIVE "${CPACK_TEMPORARY_DIRECTORY}"
         "${CPACK_TEMPORARY_DIRECTORY}/*")
    list(REMOVE_ITEM carpetas ${archivos})
    list(SORT carpetas ORDER DESCENDING)
    set(CPACK_NSIS_DELETE_DIRECTORIES "")
    foreach(carpeta IN LISTS carpetas)
        string(REPLACE "/" "\\" carpeta "${carpeta}")
        string(APPEND CPACK_NSIS_DELETE_DIRECTORIES "  RMDir \"$INSTDIR\\${carpeta}\"\n")
    endforeach()
endif()
