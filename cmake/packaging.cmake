# Installation and packaging, included at the end of the top-level CMakeLists.txt so that every
# program target exists. Only the programs and their desktop files are installed: no libraries,
# tests or benchmarks.
include(GNUInstallDirs)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET velmora-programmer-sim)
    install(TARGETS velmora-programmer-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET velmora-cli)
    install(TARGETS velmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
    # The menu entry and its icon (the program's own icon, under the name the entry gives).
    install(FILES res/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES res/icons/app.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME velmora.svg)

    if(TARGET velmora-cli)
        # The page carries the project version; Debian ships manual pages gzip-compressed, without
        # a time stamp in the gzip header (-n) so that builds are reproducible.
        configure_file(res/velmora-cli.1 ${CMAKE_CURRENT_BINARY_DIR}/man/velmora-cli.1 @ONLY)
        add_custom_command(
            OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/man/velmora-cli.1.gz
            COMMAND gzip -9 -n -f -k ${CMAKE_CURRENT_BINARY_DIR}/man/velmora-cli.1
            DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/velmora-cli.1
            COMMENT "Compressing the manual page of velmora-cli")
        add_custom_target(velmora_manpages ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/velmora-cli.1.gz)
        install(FILES ${CMAKE_CURRENT_BINARY_DIR}/man/velmora-cli.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endif()

if(WIN32)
    # windeployqt (beside qmake in Qt's bin folder) copies Qt's libraries, plugins, the compiler
    # runtime and Qt's Chinese catalogue (translations/qt_zh_CN.qm) next to the installed program.
    set(VELMORA_WINDEPLOYQT "$<TARGET_FILE_DIR:Qt6::qmake>/windeployqt$<TARGET_FILE_SUFFIX:Qt6::qmake>")
    install(CODE "
        execute_process(
            COMMAND \"${VELMORA_WINDEPLOYQT}\" $<IF:$<CONFIG:Debug>,--debug,--release>
                --translations zh_CN --no-system-d3d-compiler --no-opengl-sw
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:velmora>\"
            COMMAND_ERROR_IS_FATAL ANY)
    ")
endif()

# Package: `cmake --build --preset release --target package`.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "Velmora maintainers <maintainers@velmora.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "parameters of solar charge controllers for a handheld programmer")
# Debian wants the lines of the long description shorter than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora prepares the parameter block of solar charge controllers: pick the\n"
    "product type, edit the battery and load-control parameters in forms that\n"
    "enforce the controllers' limits, save and import them as text files, and\n"
    "transfer them over a serial port (Modbus RTU) to a handheld programmer.\n"
    "The package holds the desktop program, the velmora-cli command and a\n"
    "simulated programmer for trying everything without hardware.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    # velmora_<version>_<arch>.deb
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    # Library dependencies come from dpkg-shlibdeps. What no linker sees is named here: the SVG
    # icon engine plugin that draws the program's icons (libqt6svg6) and Qt's Chinese catalogue.
    # Fonts with Chinese glyphs are only recommended, since any CJK font will do.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-wqy-microhei")
elseif(WIN32)
    set(CPACK_GENERATOR ZIP)
endif()

include(CPack)
