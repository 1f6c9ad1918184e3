# SPDX-FileCopyrightText: 2026 The miminomi developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Compresses one file the way Debian wants its documentation: gzip at its best, without the name
# and time stamp of the original, so that the same input always gives the same bytes.
#   cmake -DINPUT=<file> -DOUTPUT=<file.gz> -P compress.cmake
find_program(GZIP gzip REQUIRED)
execute_process(
    COMMAND ${GZIP} -9 -n -c ${INPUT}
    OUTPUT_FILE ${OUTPUT}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE ${OUTPUT})
    message(FATAL_ERROR "gzip could not compress ${INPUT}")
endif()
