# Fails when a source of the window-free core includes a window, Qt, a sound backend or a library
# only the backends may use. Run by the build (cmake -P) with FILES set to the core's sources and
# headers, separated by "|", and STAMP to the file written when all is well.
set(forbidden [["(app|sound/backends)/|<Q|<fluidsynth|<[Rr]t[Mm]idi|<alsa/]])
set(faults "")
string(REPLACE "|" ";" files "${FILES}")
foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
        if(line MATCHES "#[ \t]*include[ \t]*[\"<]?(${forbidden})")
            string(APPEND faults "\n  ${file}: ${line}")
        endif()
    endforeach()
endforeach()
if(faults)
    message(FATAL_ERROR "The core (standard library only) includes what only windows or sound "
                        "backends may use:${faults}")
endif()
file(TOUCH "${STAMP}")
