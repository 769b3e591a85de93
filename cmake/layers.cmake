# The folders' layers, lowest first: each may include its own headers and
# those of the layers it names, nothing above or beside it. The build
# enforces it twice: each library shows only its own folder to what links
# it, so an include of a folder not linked does not compile; and before
# anything compiles, cmake/check_layers.cmake reads every include and says
# in words which one runs upward or sideways, even where a link would let
# it through.
set(VANTOR_LAYERS
  "text:text"
  "raster:raster,text"
  "framework:framework,raster,text"
  "fontmap:fontmap,raster,text"
  "window:window,fontmap,framework,raster,text"
  "app:app,window,fontmap,framework,raster,text"
)
# Only framework/ includes Qt; only raster/ FreeType, HarfBuzz and fontconfig.
set(VANTOR_LIBRARY_HEADERS
  "framework:Q"
  "raster:ft2build,hb,fontconfig/,freetype/"
)

list(JOIN VANTOR_LAYERS "|" layers)
list(JOIN VANTOR_LIBRARY_HEADERS "|" library_headers)
add_custom_target(vantor_layers
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DLAYERS=${layers}
    -DLIBRARY_HEADERS=${library_headers} -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
  COMMENT "Checking that no include runs upward or sideways"
  VERBATIM)

# The library of a folder: its headers reached as "folder/name.h" through a
# link of its own in the build tree, by what links it and by itself.
function(vantor_folder_headers target folder)
  set(root ${PROJECT_BINARY_DIR}/headers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  add_dependencies(${target} vantor_layers)
endfunction()
