# The fonts that the tests and benchmarks see: exactly these files, each from
# a Debian package that the Makefile installs, linked into one folder that a
# fontconfig file of their own names. Nothing else installed counts.
set(font_dir /usr/share/fonts/truetype/dejavu)
set(test_fonts
  fonts-dejavu-core DejaVuSansMono.ttf
  fonts-dejavu-core DejaVuSansMono-Bold.ttf
  fonts-dejavu-core DejaVuSans.ttf
  fonts-dejavu-core DejaVuSans-Bold.ttf
  fonts-dejavu-extra DejaVuSans-Oblique.ttf
  fonts-dejavu-core DejaVuSerif.ttf)
set(TEST_FONT_DIR ${PROJECT_BINARY_DIR}/test-fonts)
file(REMOVE_RECURSE ${TEST_FONT_DIR})
file(MAKE_DIRECTORY ${TEST_FONT_DIR})
while(test_fonts)
  list(POP_FRONT test_fonts package file)
  if(NOT EXISTS ${font_dir}/${file})
    message(FATAL_ERROR "The tests need ${font_dir}/${file}: install the Debian package ${package}")
  endif()
  file(CREATE_LINK ${font_dir}/${file} ${TEST_FONT_DIR}/${file} SYMBOLIC)
endwhile()

# DejaVu Sans Mono is named "Courier", so start-up behaves as on a system
# with Courier; the other configuration has no Courier at all.
set(COURIER_FAMILY "Courier")
set(FONT_CACHE_DIR ${PROJECT_BINARY_DIR}/fontconfig-cache)
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.conf.in ${PROJECT_BINARY_DIR}/fonts.conf @ONLY)
set(COURIER_FAMILY "Courier New")
set(FONT_CACHE_DIR ${PROJECT_BINARY_DIR}/fontconfig-cache-without-courier)
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.conf.in ${PROJECT_BINARY_DIR}/fonts-without-courier.conf @ONLY)
set(TEST_FONTCONFIG ${PROJECT_BINARY_DIR}/fonts.conf)
