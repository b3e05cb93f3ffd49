# The browser build's dependencies: SDL2, SDL2_image and SDL2_mixer for
# WebAssembly in RARA3_WEB_DEPS (tools/web/build_sdl_libs.sh), under the
# same target names the desktop build gets from pkg-config, and never
# emscripten's own SDL ports (they would be fetched from outside).
set(RARA3_WEB_DEPS "" CACHE PATH "Prefix of SDL2, SDL2_image and SDL2_mixer built for WebAssembly")
set(RARA3_PACK "" CACHE FILEPATH "The desktop build's rara3-pack")
if(NOT EXISTS "${RARA3_WEB_DEPS}/lib/libSDL2.a" OR NOT EXISTS "${RARA3_WEB_DEPS}/lib/libSDL2_mixer.a"
   OR NOT EXISTS "${RARA3_WEB_DEPS}/lib/libSDL2_image.a")
  message(FATAL_ERROR "RARA3_WEB_DEPS (${RARA3_WEB_DEPS}) holds no SDL built for WebAssembly: "
                      "run tools/web/build_sdl_libs.sh, or make web")
endif()
if(NOT EXISTS "${RARA3_PACK}")
  message(FATAL_ERROR "RARA3_PACK must name the desktop build's rara3-pack (make web sets it)")
endif()

# C++ exceptions carry the platform's failures to the fatal-error path.
add_compile_options(-fexceptions -sUSE_SDL=0)
add_link_options(-fexceptions)

foreach(lib SDL2 SDL2_MIXER SDL2_IMAGE)
  add_library(PkgConfig::${lib} INTERFACE IMPORTED)
  target_include_directories(PkgConfig::${lib} INTERFACE "${RARA3_WEB_DEPS}/include/SDL2")
  target_link_options(PkgConfig::${lib} INTERFACE -sUSE_SDL=0 -sUSE_SDL_IMAGE=0
                      -sUSE_SDL_MIXER=0)
endforeach()
target_link_libraries(PkgConfig::SDL2 INTERFACE "${RARA3_WEB_DEPS}/lib/libSDL2.a")
target_link_libraries(PkgConfig::SDL2_MIXER INTERFACE "${RARA3_WEB_DEPS}/lib/libSDL2_mixer.a"
                      PkgConfig::SDL2)
target_link_libraries(PkgConfig::SDL2_IMAGE INTERFACE "${RARA3_WEB_DEPS}/lib/libSDL2_image.a"
                      PkgConfig::SDL2)
