# The browser: one folder of static files that any web server can serve (the page, Qt's loader,
# the program's script and its WebAssembly, the icon), and beside it a zip of the folder and
# the SHA-256 sums of both. Built by the default target.

include(cmake/fecha.cmake)
set(ENV{SOURCE_DATE_EPOCH} ${fecha})
string(TIMESTAMP fecha_archivo "%Y-%m-%d %H:%M:%S UTC" UTC)

set(sitio ${PROJECT_BINARY_DIR}/quorvel-web)
set(archivo quorvel-${PROJECT_VERSION}-web.zip)
set(bin ${PROJECT_BINARY_DIR}/bin)
set(ficheros icono-64.png index.html qtloader.js quorvel.js quorvel.wasm)
list(TRANSFORM ficheros PREPEND quorvel-web/ OUTPUT_VARIABLE en_el_archivo)
add_custom_command(OUTPUT ${archivo} SHA256SUMS-web
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${sitio} ${archivo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${sitio}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/app/web/index.html
            ${bin}/qtloader.js ${bin}/quorvel.js ${bin}/quorvel.wasm ${sitio}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/iconos/64.png
            ${sitio}/icono-64.png
    # With the commit's time and in name order: the same sources, the same archive.
    COMMAND ${CMAKE_COMMAND} -E tar cf ${archivo} --format=zip "--mtime=${fecha_archivo}"
            ${en_el_archivo}
    COMMAND ${CMAKE_COMMAND} -DSALIDA=SHA256SUMS-web "-DFICHEROS=${en_el_archivo};${archivo}"
            -P ${PROJECT_SOURCE_DIR}/cmake/sumas.cmake
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    DEPENDS quorvel app/web/index.html resources/iconos/64.png cmake/sumas.cmake
    VERBATIM)
add_custom_target(web ALL DEPENDS ${archivo} SHA256SUMS-web)
