# tovra_embed(<target> <resource name> <file>): compiles <file> into <target> as the embedded
# resource <resource name>, found at run time through the resource table.
function(tovra_embed target name file)
    string(MAKE_C_IDENTIFIER "${name}" id)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${id}.cpp)
    add_custom_command(
        OUTPUT ${out}
        COMMAND tovra_embed_tool ${out} ${name} ${file}
        DEPENDS tovra_embed_tool ${file}
        COMMENT "Embedding ${name}"
        VERBATIM)
    target_sources(${target} PRIVATE ${out})
    set_property(TARGET ${target} APPEND PROPERTY TOVRA_RESOURCES ${id})
endfunction()
