# SPDX-License-Identifier: GPL-3.0-or-later
# Runs tarno-solve on requests.txt and compares its output with answers.txt line for line.
execute_process(COMMAND ${TOOL} --stats ${DIR}/requests.txt OUTPUT_VARIABLE out
                ERROR_VARIABLE err RESULT_VARIABLE rc)
file(READ ${DIR}/answers.txt expected)
if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "tarno-solve gave (${rc}):\n${out}\nexpected:\n${expected}")
endif()
string(REGEX MATCHALL "[a-z-]+ nodes=" outcomes "${err}")
list(LENGTH outcomes n)
if(NOT n EQUAL 5)
    message(FATAL_ERROR "expected five --stats lines, got:\n${err}")
endif()
