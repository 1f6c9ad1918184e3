# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# One static library per module of the window-free core, which can include only its own headers
# and those of the modules it links: each module's headers are offered to the compiler from a
# folder of their own in the build tree (links to the module's headers, under the module's name),
# and a module's sources see only that folder and those of the modules it depends on. An include
# that runs against the layering fails to compile.
#
#   miminomi_module(<folder> [TARGET <name>] [RECURSE] SOURCES <files...>
#                   [DEPENDS <modules' targets...>] [LINK <other libraries...>])
#
# The target is miminomi_<folder> unless TARGET names it; RECURSE offers the headers of subfolders
# too (for a module that is a subfolder tree, such as the sound backends).
function(miminomi_module folder)
    cmake_parse_arguments(ARG "RECURSE" "TARGET" "SOURCES;DEPENDS;LINK" ${ARGN})
    set(target miminomi_${folder})
    if(ARG_TARGET)
        set(target ${ARG_TARGET})
    endif()
    set(source ${CMAKE_SOURCE_DIR}/${folder})
    set(offered ${CMAKE_BINARY_DIR}/module-headers/${target})
    if(ARG_RECURSE)
        file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*.h)
    else()
        file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*.h)
    endif()
    file(REMOVE_RECURSE ${offered})
    foreach(header IN LISTS headers)
        get_filename_component(subfolder ${offered}/${folder}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${subfolder})
        file(CREATE_LINK ${source}/${header} ${offered}/${folder}/${header} SYMBOLIC)
    endforeach()

    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${offered})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_LINK})
endfunction()
