# What `make install` places and `make package` packs into one .deb.
set(VANTOR_HOMEPAGE "https://vantor.example/font-mapper")
set(VANTOR_MAINTAINER "The Vantor Font Mapper developers <packages@vantor.example>")
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vantor-font-mapper)

configure_file(data/org.vantor.FontMapper.metainfo.xml.in org.vantor.FontMapper.metainfo.xml @ONLY)
configure_file(data/copyright.in copyright @ONLY)
configure_file(data/changelog.in changelog @ONLY)
# Debian wants the changelog and manual page compressed, reproducibly.
foreach(file ${PROJECT_BINARY_DIR}/changelog ${PROJECT_SOURCE_DIR}/data/vantor-font-mapper.1)
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${name}.gz DEPENDS ${file}
    COMMAND sh -c "gzip -9nc '${file}' > '${PROJECT_BINARY_DIR}/${name}.gz'" VERBATIM)
  list(APPEND compressed ${PROJECT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})

install(TARGETS vantor-font-mapper RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/vantor-font-mapper.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/vantor-font-mapper.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${PROJECT_BINARY_DIR}/org.vantor.FontMapper.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/vantor-font-mapper.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor-font-mapper)
set(CPACK_PACKAGE_VENDOR "The Vantor Font Mapper developers")
set(CPACK_PACKAGE_CONTACT ${VANTOR_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a typeface into a bitmap font texture and a width table")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vantor Font Mapper draws 100 characters of an installed typeface into one
square texture of 256 to 2048 pixels, white glyphs on black in a fixed
10 by 10 grid, and measures each character's advance width to a tenth of a
pixel. Games and graphics programs draw text from such a texture as a glyph
atlas. The texture is saved as PNG, the widths as text.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VANTOR_HOMEPAGE})
# The libraries come from the binary itself; Qt loads its platform plugins
# and fonts only at run time, so those are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core | fonts-liberation2 | fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
