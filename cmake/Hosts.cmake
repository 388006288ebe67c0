# Every outside service the program talks to, with the loopback address the
# bundled demo sites listen on. The demo sites read the same values from the
# generated configuration header, so this file is the one place to change a port.
#
#   variable              default              scheme  what
set(JIXIA_FORUM_A_HOST    "127.0.0.1:18401" CACHE STRING "forum A (HTTPS)")
set(JIXIA_FORUM_B_HOST    "127.0.0.1:18402" CACHE STRING "forum B (HTTPS)")
set(JIXIA_SITE_C_HOST     "127.0.0.1:18403" CACHE STRING "site C (HTTP)")
set(JIXIA_D1_HOST         "127.0.0.1:18404" CACHE STRING "deal site D1 (HTTP)")
set(JIXIA_D2_HOST         "127.0.0.1:18405" CACHE STRING "deal site D2 (HTTPS)")
set(JIXIA_D3_HOST         "127.0.0.1:18406" CACHE STRING "deal site D3 (HTTPS)")
set(JIXIA_D4_HOST         "127.0.0.1:18407" CACHE STRING "deal site D4 (HTTPS)")
set(JIXIA_PROFILE_HOST    "127.0.0.1:18408" CACHE STRING "profile service with the latest version (HTTP)")
set(JIXIA_DOWNLOAD_HOST   "127.0.0.1:18409" CACHE STRING "download page host (HTTPS)")
set(JIXIA_ACCOUNT_HOST    "127.0.0.1:18410" CACHE STRING "account service (HTTP)")

set(JIXIA_VERSION_ACCOUNT "10001"           CACHE STRING "account number whose profile holds the latest version")
set(JIXIA_CONTACT_ACCOUNT "10002"           CACHE STRING "messenger account of the contact link and the side labels")
set(JIXIA_USER_CODE       "888888"          CACHE STRING "preset user code of the registration form")
set(JIXIA_SITE_NAME       "jixia-demo"      CACHE STRING "site name passed with the contact link")

# Extra CA certificates (PEM) trusted besides the system's. The default build
# trusts the CA that set-up makes for the demo sites; set it empty for live hosts.
set(JIXIA_CA_FILE "${CMAKE_BINARY_DIR}/demo-ca/ca.pem" CACHE STRING "extra trusted CA file (PEM), empty for none")
