# rara3_embed(OUT_CPP SYMBOL FILE): writes a C++ source that holds FILE's bytes
# as `extern const unsigned char SYMBOL[]` and `extern const size_t SYMBOL_size`,
# regenerated whenever FILE changes.
function(rara3_embed out_cpp symbol file)
  add_custom_command(
    OUTPUT ${out_cpp}
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out_cpp} -DSYMBOL=${symbol}
            -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFile.cmake
    COMMENT "Embedding ${file}"
    VERBATIM)
endfunction()
