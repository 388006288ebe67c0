# jixia_make_ca(DIR) makes, once, a CA and a server certificate for 127.0.0.1
# and localhost in DIR: ca.pem, server.pem, server.key. Nothing of it is
# committed; every build folder makes its own.
function(jixia_make_ca dir)
  if(EXISTS "${dir}/ca.pem" AND EXISTS "${dir}/server.pem" AND EXISTS "${dir}/server.key")
    return()
  endif()
  find_program(OPENSSL_EXE openssl REQUIRED)
  file(MAKE_DIRECTORY "${dir}")
  file(WRITE "${dir}/server.ext"
    "basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\n"
    "extendedKeyUsage=serverAuth\nsubjectAltName=IP:127.0.0.1,DNS:localhost\n")
  set(steps
    "req -x509 -newkey rsa:2048 -nodes -days 3650 -subj /CN=jixia-local-ca -keyout ca.key -out ca.pem"
    "req -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout server.key -out server.csr"
    "x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 3650 -extfile server.ext -out server.pem")
  foreach(step IN LISTS steps)
    separate_arguments(args UNIX_COMMAND "${step}")
    execute_process(COMMAND ${OPENSSL_EXE} ${args} WORKING_DIRECTORY "${dir}"
      RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "openssl ${step} failed in ${dir}")
    endif()
  endforeach()
endfunction()
