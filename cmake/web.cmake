# The browser: one folder of static files that any web server can serve (the page, Qt's loader,
# the program's script and its WebAssembly, the icon), and beside it a zip of the folder and
# the SHA-256 sums of both. Built by the default target.

include(cmake/fecha.cmake)

# The face the layouts are drawn in, as on the desktop: the page has no system fonts, and the
# face Qt brings runs wider and cuts the captions. Only the Latin characters the windows show
# and a user can type; anything else falls back on Qt's own face.
find_program(PYFTSUBSET pyftsubset REQUIRED)
set(liberation /usr/share/fonts/truetype/liberation)
set(fuentes)
foreach(cara Regular Bold BoldItalic)
    set(salida ${PROJECT_BINARY_DIR}/fuentes/LiberationSans-${cara}.ttf)
    add_custom_command(OUTPUT ${salida}
        COMMAND ${PYFTSUBSET} ${liberation}/LiberationSans-${cara}.ttf
                --unicodes=U+0020-007E,U+00A0-00FF,U+2026 --drop-tables+=FFTM
                --output-file=${salida}
        DEPENDS ${liberation}/LiberationSans-${cara}.ttf VERBATIM)
    list(APPEND fuentes ${salida})
endforeach()
qt_add_resources(quorvel_app fuentes PREFIX "/" BASE ${PROJECT_BINARY_DIR} FILES ${fuentes})
set(ENV{SOURCE_DATE_EPOCH} ${fecha})
string(TIMESTAMP fecha_archivo "%Y-%m-%d %H:%M:%S UTC" UTC)

set(sitio ${PROJECT_BINARY_DIR}/quorvel-web)
set(archivo quorvel-${PROJECT_VERSION}-web.zip)
set(bin ${PROJECT_BINARY_DIR}/bin)
set(ficheros icono-64.png index.html licencias/COPYING licencias/Liberation-OFL-1.1.txt
    licencias/Qt-LGPL-3.0.txt qtloader.js quorvel.js quorvel.wasm)
list(TRANSFORM ficheros PREPEND quorvel-web/ OUTPUT_VARIABLE en_el_archivo)
add_custom_command(OUTPUT ${archivo} SHA256SUMS-web
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${sitio} ${archivo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${sitio}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/app/web/index.html
            ${bin}/qtloader.js ${bin}/quorvel.js ${bin}/quorvel.wasm ${sitio}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/iconos/64.png
            ${sitio}/icono-64.png
    # The licences of what the site ships: the program's, Qt's and the face's.
    COMMAND ${CMAKE_COMMAND} -E make_directory ${sitio}/licencias
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/COPYING ${sitio}/licencias/COPYING
    COMMAND ${CMAKE_COMMAND} -E copy ${QT6_INSTALL_PREFIX}/licencias/Qt-LGPL-3.0.txt
            ${sitio}/licencias/Qt-LGPL-3.0.txt
    COMMAND ${CMAKE_COMMAND} -E copy /usr/share/doc/fonts-liberation/copyright
            ${sitio}/licencias/Liberation-OFL-1.1.txt
    # With the commit's time and in name order: the same sources, the same archive.
    COMMAND ${CMAKE_COMMAND} -E tar cf ${archivo} --format=zip "--mtime=${fecha_archivo}"
            ${en_el_archivo}
    COMMAND ${CMAKE_COMMAND} -DSALIDA=SHA256SUMS-web "-DFICHEROS=${en_el_archivo};${archivo}"
            -P ${PROJECT_SOURCE_DIR}/cmake/sumas.cmake
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    DEPENDS quorvel app/web/index.html resources/iconos/64.png cmake/sumas.cmake
    VERBATIM)
add_custom_target(web ALL DEPENDS ${archivo} SHA256SUMS-web)
