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
# with Courier; the other configuration has none, as Debian has none, but an
# alias for it, and a family of two foundries, as a desktop has them.
set(COURIER_FAMILY "Courier")
set(FONT_CACHE_DIR ${PROJECT_BINARY_DIR}/fontconfig-cache)
set(EXTRA_FONT_DIR "")
set(EXTRA_RULES "")
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.conf.in ${PROJECT_BINARY_DIR}/fonts.conf @ONLY)
find_program(DEBIAN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(DESKTOP_FONT_DIR ${PROJECT_BINARY_DIR}/desktop-fonts)
set(desktop_fonts ${DESKTOP_FONT_DIR}/twin-ukwn.ttf ${DESKTOP_FONT_DIR}/twin-urw.ttf ${DESKTOP_FONT_DIR}/weights.ttf)
add_custom_command(OUTPUT ${desktop_fonts}
  COMMAND ${DEBIAN_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/make_desktop_fonts.py
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf ${DESKTOP_FONT_DIR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_desktop_fonts.py ${CMAKE_CURRENT_LIST_DIR}/fontmaking.py
  COMMENT "Writing the test fonts of a desktop")
add_custom_target(desktop_fonts ALL DEPENDS ${desktop_fonts})
file(MAKE_DIRECTORY ${DESKTOP_FONT_DIR})
# C059 as ghostscript brings it: Type 1, which HarfBuzz cannot shape with,
# and OpenType, which fontconfig leaves out of its sorted list beside it.
foreach(file type1/urw-base35/C059-Roman.t1 opentype/urw-base35/C059-Roman.otf)
  if(NOT EXISTS /usr/share/fonts/${file})
    message(FATAL_ERROR "The tests need /usr/share/fonts/${file}: install the Debian package fonts-urw-base35")
  endif()
  get_filename_component(name ${file} NAME)
  file(CREATE_LINK /usr/share/fonts/${file} ${DESKTOP_FONT_DIR}/${name} SYMBOLIC)
endforeach()
set(COURIER_FAMILY "Courier New")
set(FONT_CACHE_DIR ${PROJECT_BINARY_DIR}/fontconfig-cache-without-courier)
set(EXTRA_FONT_DIR "<dir>${DESKTOP_FONT_DIR}</dir>")
set(EXTRA_RULES "<alias binding=\"same\"><family>Courier</family><accept><family>Courier New</family></accept></alias>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.conf.in ${PROJECT_BINARY_DIR}/fonts-without-courier.conf @ONLY)
set(EXTRA_RULES "")
set(TEST_FONTCONFIG ${PROJECT_BINARY_DIR}/fonts.conf)

# Fonts that break things, and two scripts the default fonts do not show
# well, for the tests that run with them in their own set-up: the damaged and
# hostile faces are written at build time, the script subsets are in
# tests/data.
set(MORE_FONT_DIR ${PROJECT_BINARY_DIR}/more-fonts)
set(hostile_fonts cbdt-bomb.ttf control-name.ttf damaged.ttf empty.ttf layers.ttf no-cmap.ttf odd-name.ttf oversized.ttf sbix-bomb.ttf svg-only.ttf
  tiny-em.ttf truncated.ttf wide-advance.ttf zero-strike.otb)
list(TRANSFORM hostile_fonts PREPEND ${MORE_FONT_DIR}/)
add_custom_command(OUTPUT ${hostile_fonts}
  COMMAND ${DEBIAN_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/make_hostile_fonts.py
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/opentype/terminus/terminus-normal.otb
    ${MORE_FONT_DIR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_hostile_fonts.py ${CMAKE_CURRENT_LIST_DIR}/fontmaking.py
  COMMENT "Writing the damaged and hostile test fonts")
add_custom_target(hostile_fonts ALL DEPENDS ${hostile_fonts})
file(MAKE_DIRECTORY ${MORE_FONT_DIR})
foreach(subset NotoNaskhArabic-Subset.ttf NotoSansCJKsc-Subset.otf NotoSans-Subset.ttf Cantarell-Subset.otf)
  file(CREATE_LINK ${CMAKE_CURRENT_LIST_DIR}/data/${subset} ${MORE_FONT_DIR}/${subset} SYMBOLIC)
endforeach()
set(COURIER_FAMILY "Courier")
set(FONT_CACHE_DIR ${PROJECT_BINARY_DIR}/fontconfig-cache-more)
set(EXTRA_FONT_DIR "<dir>${MORE_FONT_DIR}</dir>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/fonts.conf.in ${PROJECT_BINARY_DIR}/more-fonts.conf @ONLY)
