# fourk_share_forms(<target>): the target's public headers include the ui_*.h files AUTOUIC
# generates, so every user of the library needs the folder they are written to.
function(fourk_share_forms target)
    get_property(multiConfig GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
    if(multiConfig)
        set(uiDir ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/include_$<CONFIG>)
    else()
        set(uiDir ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/include)
    endif()
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${uiDir}>)
endfunction()
