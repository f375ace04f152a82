# The logos pre-rendered at build time, at a pixel ratio of 1, the copy glyph at the pixel ratios
# 1, 1.5 and 2, and the Fusion style's group-box frame, into a resource of their own
# (":/prerendered/<name>"): the program draws them without rendering vectors or decoding an image
# file. Each entry: name, source, side of the square rendered (0: the picture's own size).
add_executable(render_picture ${PROJECT_SOURCE_DIR}/tools/RenderPicture.cpp)
target_link_libraries(render_picture PRIVATE Qt6::Widgets Qt6::Svg)

set(VARNEX_PRERENDERED_PICTURES
    NUMORACALCLOGO ${PROJECT_SOURCE_DIR}/resources/numora-logo.svg 0
    QUADRELLOGO ${PROJECT_SOURCE_DIR}/resources/quadrel-logo.svg 0
    LATENCYCALCLOGO ${PROJECT_SOURCE_DIR}/resources/latency-logo.svg 0
    KORVEXGROUPLOGO ${PROJECT_SOURCE_DIR}/resources/korvexgroup-logo.svg 0
    VARNEXABOUTBOX ${PROJECT_SOURCE_DIR}/resources/varnex-about.svg 0
    FUSIONGROUPBOX :/qt-project.org/styles/commonstyle/images/fusion_groupbox.png 0)
foreach(side 16 24 32)
    list(APPEND VARNEX_PRERENDERED_PICTURES
         COPYGLYPH${side} ${PROJECT_SOURCE_DIR}/resources/copy-glyph.svg ${side}
         COPYGLYPHDISABLED${side} ${PROJECT_SOURCE_DIR}/resources/copy-glyph-disabled.svg ${side})
endforeach()
set(prerendered_dir ${CMAKE_CURRENT_BINARY_DIR}/prerendered)
set(prerendered_qrc ${prerendered_dir}/prerendered.qrc)
set(prerendered_files)
set(prerendered_entries)
list(LENGTH VARNEX_PRERENDERED_PICTURES count)
math(EXPR last "${count} - 1")
foreach(index RANGE 0 ${last} 3)
    math(EXPR source_index "${index} + 1")
    math(EXPR side_index "${index} + 2")
    list(GET VARNEX_PRERENDERED_PICTURES ${index} name)
    list(GET VARNEX_PRERENDERED_PICTURES ${source_index} source)
    list(GET VARNEX_PRERENDERED_PICTURES ${side_index} side)
    set(pixels ${prerendered_dir}/${name})
    set(depends render_picture)
    if(source MATCHES "\\.svg$")
        list(APPEND depends ${source})
    endif()
    add_custom_command(
        OUTPUT ${pixels}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${prerendered_dir}
        COMMAND render_picture ${source} ${pixels} ${side}
        DEPENDS ${depends}
        COMMENT "Pre-rendering ${name}")
    list(APPEND prerendered_files ${pixels})
    string(APPEND prerendered_entries "        <file>${name}</file>\n")
endforeach()
file(WRITE ${prerendered_qrc}.in
     "<RCC>\n    <qresource prefix=\"/prerendered\">\n${prerendered_entries}    </qresource>\n</RCC>\n")
configure_file(${prerendered_qrc}.in ${prerendered_qrc} COPYONLY)

# Stored uncompressed, so that the program draws straight from its own image in memory.
set(VARNEX_PRERENDERED_SOURCE ${prerendered_dir}/qrc_prerendered.cpp)
add_custom_command(
    OUTPUT ${VARNEX_PRERENDERED_SOURCE}
    COMMAND Qt6::rcc --name prerendered --no-compress --output ${VARNEX_PRERENDERED_SOURCE}
            ${prerendered_qrc}
    DEPENDS ${prerendered_qrc} ${prerendered_files}
    COMMENT "Compiling the pre-rendered pictures")
set_source_files_properties(${VARNEX_PRERENDERED_SOURCE} PROPERTIES SKIP_AUTOGEN ON)
