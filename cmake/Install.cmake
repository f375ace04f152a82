# What `cmake --install` puts under the prefix, and the Debian package CPack makes of it.

# The PNG icons are rendered from the SVG at build time by the pictures' tool (cmake/Pictures.cmake),
# which is built but not installed.

set(VARNEX_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/varnex-icon.svg)
set(VARNEX_ICON_SIZES 16 24 32 48 64 128 256)
set(VARNEX_ICON_PNGS)
foreach(size IN LISTS VARNEX_ICON_SIZES)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${VARNEX_APP_ID}.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
        COMMAND render_picture ${VARNEX_ICON_SVG} ${png} ${size}
        DEPENDS render_picture ${VARNEX_ICON_SVG}
        COMMENT "Rendering the ${size} pixel icon")
    list(APPEND VARNEX_ICON_PNGS ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(varnex_icons ALL DEPENDS ${VARNEX_ICON_PNGS})

configure_file(${PROJECT_SOURCE_DIR}/resources/varnex.desktop.in
               ${CMAKE_CURRENT_BINARY_DIR}/${VARNEX_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/resources/varnex.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${VARNEX_APP_ID}.metainfo.xml @ONLY)

install(TARGETS varnex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VARNEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VARNEX_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VARNEX_APP_ID}.svg)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${VARNEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Korvex Group")
set(CPACK_PACKAGE_CONTACT "Korvex Group <varnex@korvexgroup.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for network engineers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "calculator for network engineers
 One window holds three calculators: a number converter (decimal, hexadecimal
 and binary at 8, 16 or 32 bits, with a lookup table), a classful IPv4 subnet
 calculator with a CIDR supernet page, and a latency calculator for a chain of
 networks between two nodes. Tables, numbers and pictures can be copied to the
 clipboard.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VARNEX_HOMEPAGE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Qt libraries are found by dpkg-shlibdeps; the font is what the fixed-pixel layout is
# measured against: without it captions clip and the subnet calculator's tabs scroll.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_STRIP_FILES ON)
include(CPack)
