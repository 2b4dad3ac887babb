# Windows: the program's icon and version information, what it needs beside it (Qt's libraries
# and plugins, the MinGW runtime, the licences), and the installer and portable archive that
# CPack makes of them.

include(cmake/fecha.cmake)
message(STATUS "Windows packages dated ${fecha} (SOURCE_DATE_EPOCH)")
# The build's own tools get it too, so that a build by hand, without the variable, is the same.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${fecha}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${fecha}")

configure_file(app/quorvel.rc.in quorvel.rc @ONLY)
target_sources(quorvel PRIVATE ${PROJECT_BINARY_DIR}/quorvel.rc)
# Stripped as it is linked: the program installed is the one built (strip at install time would
# write the time it runs into the PE header).
target_link_options(quorvel PRIVATE -s)

# Qt's libraries and the plugins the program loads: the platform, a native style, and the image
# formats of its pictures (the banner's BMP is built into Qt Gui).
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
# The native style: since Qt 6.7 its plugin also holds the Windows 11 style, under a new name.
if(TARGET Qt6::QModernWindowsStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)
else()
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
endif()
install(FILES $<TARGET_FILE:Qt6::QJpegPlugin> $<TARGET_FILE:Qt6::QICOPlugin>
        DESTINATION imageformats)

# The compiler's runtime, which Qt's libraries and the program link dynamically. Debian ships
# it with its debugging symbols (libstdc++ alone is 23 MB): the copies shipped are stripped.
set(runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE ruta OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${ruta}")
        message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    add_custom_command(OUTPUT runtime/${dll}
        COMMAND ${CMAKE_STRIP} --strip-unneeded -o runtime/${dll} ${ruta}
        DEPENDS ${ruta} VERBATIM)
    list(APPEND runtime ${PROJECT_BINARY_DIR}/runtime/${dll})
endforeach()
add_custom_target(runtime_mingw ALL DEPENDS ${runtime})
install(FILES ${runtime} DESTINATION .)

# The licences: the program's own, and those of Qt and what it bundles (kept with the Qt build).
install(FILES COPYING DESTINATION licencias RENAME Quorvel-GPL-3.0.txt)
install(DIRECTORY ${QT6_INSTALL_PREFIX}/licencias/ DESTINATION licencias)

# The installer (NSIS) and the portable archive (ZIP).
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME quorvel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_VENDOR "Quorvel eléctricos")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Quorvel eléctricos")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY quorvel)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_NSIS_PACKAGE_NAME "Quorvel eléctricos")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icono.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/icono.ico)
set(CPACK_NSIS_CONTACT "quorvel@example.org")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The installer's script is the project's own (cmake/NSIS.template.in): one installer for the
# user who runs it or for all users, a 64-bit Unicode one like the program, storing no file
# times, replacing an older release of its scope.
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake)

# The same bytes from every build: the staged files dated and listed in name order before cpack
# packs them, the archive rewritten in that order after, and SHA256SUMS beside both.
set(CPACK_QUORVEL_FECHA ${fecha})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows-preparar.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/windows-terminar.cmake)
