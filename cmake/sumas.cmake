# Writes SALIDA in the form sha256sum -c reads: one line per file of FICHEROS, in that order.
set(lineas "")
foreach(fichero IN LISTS FICHEROS)
    file(SHA256 ${fichero} suma)
    string(APPEND lineas "${suma}  ${fichero}\n")
endforeach()
file(WRITE ${SALIDA} "${lineas}")
