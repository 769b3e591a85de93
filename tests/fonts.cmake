# The fonts that the tests and benchmarks see: exactly these files, each from
# a Debian package that the Makefile installs, linked into one folder that a
# fontconfig file of their own names. Nothing else installed counts. Terminus
# is a font of bitmaps only; Noto Color Emoji has colour glyphs, reached by
# fallback.
set(test_fonts
  fonts-dejavu-core truetype/dejavu/DejaVuSansMono.ttf
  fonts-dejavu-core truetype/dejavu/DejaVuSansMono-Bold.ttf
  fonts-dejavu-core truetype/dejavu/DejaVuSans.ttf
  fonts-dejavu-core truetype/dejavu/DejaVuSans-Bold.ttf
  fonts-dejavu-extra truetype/dejavu/DejaVuSans-Oblique.ttf
  fonts-dejavu-core truetype/dejavu/DejaVuSerif.ttf
  fonts-terminus-otb opentype/terminus/terminus-normal.otb
  fonts-noto-color-emoji truetype/noto/NotoColorEmoji.ttf)
set(TEST_FONT_DIR ${PROJECT_BINARY_DIR}/test-fonts)
file(REMOVE_RECURSE ${TEST_FONT_DIR})
file(MAKE_DIRECTORY ${TEST_FONT_DIR})
while(test_fonts)
  list(POP_FRONT test_fonts package file)
  set(path /usr/share/fonts/${file})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "The tests need ${path}: install the Debian package ${package}")
  endif()
  get_filename_component(name ${file} NAME)
  file(CREATE_LINK ${path} ${TEST_FONT_DIR}/${name} SYMBOLIC)
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
