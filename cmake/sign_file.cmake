# Copies INPUT to OUTPUT, signed with Authenticode when the environment names a code-signing certificate:
#   HOPWICK_SIGN_CERT           the certificate (PEM or DER), the chain up to the root after it in a PEM file
#   HOPWICK_SIGN_KEY            its private key (PEM or DER)
#   HOPWICK_SIGN_PASSWORD_FILE  optional: a file whose first line is the key's password
# The signing time is SIGNING_TIME (SOURCE_DATE_EPOCH), so that the same build signs to the same bytes; there is no
# time stamp from a time-stamping authority. OUTPUT is rewritten only when its bytes change.
# Usage: cmake -DINPUT=... -DOUTPUT=... -DOSSLSIGNCODE=... -DSIGNING_TIME=... -DDESCRIPTION=... -DURL=... -P this
foreach(argument INPUT OUTPUT SIGNING_TIME DESCRIPTION URL)
    if(NOT DEFINED ${argument})
        message(FATAL_ERROR "sign_file.cmake: ${argument} is not given")
    endif()
endforeach()

set(certificate "$ENV{HOPWICK_SIGN_CERT}")
set(key "$ENV{HOPWICK_SIGN_KEY}")
if(certificate STREQUAL "" AND key STREQUAL "")
    file(COPY_FILE ${INPUT} ${OUTPUT} ONLY_IF_DIFFERENT)
    return()
endif()
if(certificate STREQUAL "" OR key STREQUAL "")
    message(FATAL_ERROR "Signing needs both HOPWICK_SIGN_CERT and HOPWICK_SIGN_KEY")
endif()
if(NOT OSSLSIGNCODE)
    message(FATAL_ERROR "Signing needs osslsigncode (Debian package osslsigncode)")
endif()

set(password)
if(NOT "$ENV{HOPWICK_SIGN_PASSWORD_FILE}" STREQUAL "")
    set(password -readpass "$ENV{HOPWICK_SIGN_PASSWORD_FILE}")
endif()
set(signed ${OUTPUT}.signing)
file(REMOVE ${signed})
execute_process(
    COMMAND ${OSSLSIGNCODE} sign -certs ${certificate} -key ${key} ${password} -h sha256 -n ${DESCRIPTION} -i ${URL}
            -time ${SIGNING_TIME} -in ${INPUT} -out ${signed}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    file(REMOVE ${signed})
    message(FATAL_ERROR "osslsigncode could not sign ${INPUT}:\n${output}")
endif()
file(COPY_FILE ${signed} ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${signed})
message(STATUS "Signed ${OUTPUT}")
